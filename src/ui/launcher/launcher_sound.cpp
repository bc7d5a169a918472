#include "launcher_sound.h"

namespace carvelle::ui::avensa {

namespace {

class SilentPlayer final : public LauncherSoundPlayer {
public:
    void PlayFile(const std::filesystem::path&, bool) override {}
    void PlayBuiltIn(BuiltInSound, bool) override {}
};

LauncherSoundPlayer*& Installed() {
    static LauncherSoundPlayer* player = nullptr;
    return player;
}

} // namespace

LauncherSoundPlayer& CurrentLauncherSound() {
    static SilentPlayer silent;
    LauncherSoundPlayer* player = Installed();
    return player ? *player : silent;
}

void SetLauncherSound(LauncherSoundPlayer* player) {
    Installed() = player;
}

} // namespace carvelle::ui::avensa
