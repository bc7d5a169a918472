#pragma once

#include "ui_test_support.h"

#include "ui/launcher/launcher_sound.h"
#include "ui/launcher/menu_window.h"

#include "launcher/menu_file.h"
#include "launcher/package.h"
#include "launcher/region_text.h"

#include "common/stream.h"
#include "platform/shell.h"

#include <QApplication>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace carvelle::ui::test {

// Sounds as they would be heard: the file name (or "built-in start"...) and whether the
// launcher waited for the end. `onPlay` runs inside a play, like a timer firing during a wait.
class RecordingSound final : public avensa::LauncherSoundPlayer {
public:
    struct Played {
        std::string what;
        bool wait = false;
        bool operator==(const Played&) const = default;
    };
    void PlayFile(const std::filesystem::path& file, bool wait) override {
        played.push_back({file.filename().string(), wait});
        if (onPlay) {
            onPlay();
        }
    }
    void PlayBuiltIn(avensa::BuiltInSound sound, bool wait) override {
        played.push_back({sound == avensa::BuiltInSound::Start  ? "built-in start"
                          : sound == avensa::BuiltInSound::Exit ? "built-in exit"
                                                                : "built-in click",
                          wait});
    }
    std::vector<Played> played;
    std::function<void()> onPlay;
};

inline launcher::Frame SolidFrame(std::int32_t width, std::int32_t height, std::uint32_t rgb) {
    return launcher::Frame{width, height,
                           std::vector<std::uint32_t>(static_cast<std::size_t>(width) *
                                                          static_cast<std::size_t>(height),
                                                      rgb)};
}

// A frame in `rgb` with a rectangle of `cut` colour, and the region text that cuts it.
inline void AddFrame(launcher::Menu& menu, launcher::Frame frame,
                     std::optional<std::uint32_t> cut = std::nullopt) {
    menu.FrameRegions.push_back(*launcher::MakeRegionText(frame, cut));
    menu.Frames.push_back(std::move(frame));
}

// A launcher in a temporary medium: the executable "avensa" in the folder "menu" of the
// medium's mount point, shell and sounds recorded, the program's end counted.
class LauncherTest : public SeamTest {
protected:
    void SetUp() override {
        SeamTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        mount = std::filesystem::path(dir.path().toStdString());
        exeFolder = mount / "menu";
        std::filesystem::create_directories(exeFolder);
        SetShell(&shell);
        avensa::SetLauncherSound(&sound);
        menu.MenuName = "intro.mnu";
        menu.Position = 1;
        menu.DisplayTicks = 1000;
        menu.FrameInterval = 0;
    }
    void TearDown() override {
        window.reset();
        SetShell(nullptr);
        avensa::SetLauncherSound(nullptr);
        SeamTest::TearDown();
    }

    // The start-up read of a launcher carrying `menu` (or any package bytes).
    static launcher::StartupRead Read(const std::vector<std::uint8_t>& executable) {
        MemoryStream exe(executable);
        return launcher::ReadStartupMenu(exe);
    }
    static std::vector<std::uint8_t> Executable(const launcher::Menu& carried) {
        MemoryStream menuBytes;
        launcher::WriteMenu(menuBytes, carried);
        MemoryStream out;
        const std::vector<std::uint8_t> image(32, 0x4D);
        out.Write(image.data(), image.size());
        launcher::WritePackage(out, {{carried.MenuName, menuBytes.Bytes()}});
        return out.Bytes();
    }

    avensa::LauncherEnvironment Environment() {
        return {(exeFolder / "avensa").string(), mount.string(), [this] { ++terminated; }};
    }
    // Builds the window and starts it with `menu`.
    avensa::MenuWindow& Open() {
        window = std::make_unique<avensa::MenuWindow>(Environment());
        started = window->Start(Read(Executable(menu)));
        return *window;
    }
    void Beside(const std::string& name, const std::string& bytes = "RIFF") {
        WriteBytes(exeFolder / name, bytes);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const MessageRequest& shown : MessageSeam::Shown()) {
            texts.push_back(shown.text.toStdString());
        }
        return texts;
    }

    QTemporaryDir dir;
    std::filesystem::path mount;
    std::filesystem::path exeFolder;
    RecordingShell shell;
    RecordingSound sound;
    launcher::Menu menu;
    std::unique_ptr<avensa::MenuWindow> window;
    bool started = false;
    int terminated = 0;
};

} // namespace carvelle::ui::test
