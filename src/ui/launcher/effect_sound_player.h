#pragma once

#include "launcher_sound.h"

#include <QObject>
#include <QUrl>

#include <optional>

namespace carvelle::ui::avensa {

// How long a WAVE file plays, from its header; nullopt when the bytes are no WAVE file.
std::optional<int> WaveDurationMs(const QByteArray& bytes);

// The launcher's sounds through QSoundEffect. The built-in ones are the program's resources
// ":/avensa/start.wav", ":/avensa/click.wav" and ":/avensa/exit.wav"; a sound that is missing or
// cannot play stays silent. A wait ends with the sound, or at the latest a little after its
// length: without a sound server the effect never reports that it has finished.
class EffectSoundPlayer final : public QObject, public LauncherSoundPlayer {
    Q_OBJECT
public:
    void PlayFile(const std::filesystem::path& file, bool wait) override;
    void PlayBuiltIn(BuiltInSound sound, bool wait) override;

private:
    void Play(const QUrl& source, const QString& file, bool wait);
};

} // namespace carvelle::ui::avensa
