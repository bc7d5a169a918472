#pragma once

#include <filesystem>

namespace carvelle::ui::avensa {

enum class BuiltInSound { Start, Click, Exit };

// Plays the launcher's sounds: files beside the executable, or the ones built into it. The
// program installs a player; without one the launcher is silent (tests install a recording one).
class LauncherSoundPlayer {
public:
    virtual ~LauncherSoundPlayer() = default;
    // `wait`: return only when the sound has ended (events keep flowing meanwhile).
    virtual void PlayFile(const std::filesystem::path& file, bool wait) = 0;
    virtual void PlayBuiltIn(BuiltInSound sound, bool wait) = 0;
};

LauncherSoundPlayer& CurrentLauncherSound();
// Installs a player (not owned); nullptr restores silence.
void SetLauncherSound(LauncherSoundPlayer* player);

} // namespace carvelle::ui::avensa
