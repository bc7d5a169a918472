#include "effect_sound_player.h"

#include <QEventLoop>
#include <QFile>
#include <QSoundEffect>
#include <QTimer>

#include <cstring>

namespace carvelle::ui::avensa {

namespace {

constexpr int kUnknownLengthMs = 5000;
constexpr int kGraceMs = 500;

quint32 Little32(const char* p) {
    return static_cast<quint32>(static_cast<unsigned char>(p[0])) |
           static_cast<quint32>(static_cast<unsigned char>(p[1])) << 8 |
           static_cast<quint32>(static_cast<unsigned char>(p[2])) << 16 |
           static_cast<quint32>(static_cast<unsigned char>(p[3])) << 24;
}

} // namespace

std::optional<int> WaveDurationMs(const QByteArray& bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.constData(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.constData() + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    quint32 byteRate = 0;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const char* chunk = bytes.constData() + at;
        const quint32 size = Little32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16 && at + 8 + 12 <= bytes.size()) {
            byteRate = Little32(chunk + 8 + 8);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (byteRate == 0) {
                return std::nullopt;
            }
            // A data chunk cut short plays only what is there.
            const quint64 available =
                std::min<quint64>(size, static_cast<quint64>(bytes.size() - at - 8));
            return static_cast<int>(std::min<quint64>(available * 1000 / byteRate, 3600000));
        }
        at += 8 + static_cast<qsizetype>(size) + (size & 1);
    }
    return std::nullopt;
}

void EffectSoundPlayer::PlayFile(const std::filesystem::path& file, bool wait) {
    const QString name = QString::fromStdString(file.string());
    Play(QUrl::fromLocalFile(name), name, wait);
}

void EffectSoundPlayer::PlayBuiltIn(BuiltInSound sound, bool wait) {
    const char* name = sound == BuiltInSound::Start  ? "start"
                       : sound == BuiltInSound::Exit ? "exit"
                                                     : "click";
    const QString resource = QStringLiteral(":/avensa/%1.wav").arg(QLatin1String(name));
    if (QFile::exists(resource)) {
        Play(QUrl(QStringLiteral("qrc") + resource), resource, wait);
    }
}

void EffectSoundPlayer::Play(const QUrl& source, const QString& file, bool wait) {
    QFile reader(file);
    std::optional<int> length;
    if (reader.open(QIODevice::ReadOnly)) {
        length = WaveDurationMs(reader.read(1 << 20));
    }
    const int limitMs = length.value_or(kUnknownLengthMs) + kGraceMs;

    auto* effect = new QSoundEffect(this);
    auto finish = [effect] {
        effect->stop();
        effect->deleteLater();
    };
    connect(effect, &QSoundEffect::statusChanged, effect, [effect, finish] {
        if (effect->status() == QSoundEffect::Error) {
            finish();
        }
    });
    connect(effect, &QSoundEffect::playingChanged, effect, [effect, finish] {
        if (!effect->isPlaying()) {
            finish();
        }
    });
    QTimer::singleShot(limitMs, effect, finish);
    effect->setSource(source);
    effect->play();
    if (wait) {
        QEventLoop loop;
        connect(effect, &QObject::destroyed, &loop, &QEventLoop::quit);
        QTimer::singleShot(limitMs + kGraceMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace carvelle::ui::avensa
