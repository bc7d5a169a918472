#include "sound_player.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace carvelle::ui {

namespace {

std::function<void(const QString&)>& Recorder() {
    static std::function<void(const QString&)> recorder;
    return recorder;
}

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::SetRecorder(std::function<void(const QString&)> recorder) {
    Recorder() = std::move(recorder);
}

void SoundPlayer::Play(const QString& file) {
    if (Recorder()) {
        Recorder()(file);
        recordedPlaying_ = true;
        return;
    }
    if (!player_) {
        // Created on first use: most pages never play a sound.
        player_ = std::make_unique<QMediaPlayer>();
        output_ = std::make_unique<QAudioOutput>();
        player_->setAudioOutput(output_.get());
    }
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(file));
    player_->play();
}

void SoundPlayer::Stop() {
    recordedPlaying_ = false;
    if (player_) {
        player_->stop();
    }
}

bool SoundPlayer::IsPlaying() const {
    if (Recorder()) {
        return recordedPlaying_;
    }
    return player_ && player_->playbackState() == QMediaPlayer::PlayingState;
}

} // namespace carvelle::ui
