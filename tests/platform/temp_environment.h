#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>

namespace carvelle::testing {

// A private folder tree plus environment variables that are put back when the test ends.
class TempEnvironment {
public:
    TempEnvironment() {
        std::random_device random;
        do {
            root_ = std::filesystem::temp_directory_path() /
                    ("carvelle-platform-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(root_));
    }
    ~TempEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    TempEnvironment(const TempEnvironment&) = delete;
    TempEnvironment& operator=(const TempEnvironment&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::string Path(const std::string& relative) const { return (root_ / relative).string(); }

    std::string Folder(const std::string& relative) const {
        std::filesystem::create_directories(root_ / relative);
        return Path(relative);
    }
    std::string File(const std::string& relative, const std::string& text) const {
        std::filesystem::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative, std::ios::binary) << text;
        return Path(relative);
    }

    void Set(const std::string& name, const std::string& value) {
        Save(name);
        setenv(name.c_str(), value.c_str(), 1);
    }
    void Unset(const std::string& name) {
        Save(name);
        unsetenv(name.c_str());
    }

private:
    void Save(const std::string& name) {
        if (saved_.count(name)) {
            return;
        }
        const char* value = std::getenv(name.c_str());
        saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }

    std::filesystem::path root_;
    std::map<std::string, std::optional<std::string>> saved_;
};

// A private desktop where a small script is the registered viewer of PDF documents, as
// xdg-mime's generic lookup sees it. Returns the viewer's path.
inline std::string RegisterPdfViewer(TempEnvironment& env) {
    for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                             "GNOME_DESKTOP_SESSION_ID", "XDG_MENU_PREFIX", "DISPLAY"}) {
        env.Unset(name);
    }
    env.Set("HOME", env.Folder("home"));
    env.Set("XDG_CONFIG_HOME", env.Folder("config"));
    env.Set("XDG_CONFIG_DIRS", env.Folder("config-dirs"));
    env.Set("XDG_DATA_HOME", env.Folder("data"));
    const std::string viewer = env.File("bin/viewer", "#!/bin/sh\n");
    std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
    env.File("config/mimeapps.list",
             "[Default Applications]\napplication/pdf=launcher-viewer.desktop\n");
    env.File("data/applications/launcher-viewer.desktop",
             "[Desktop Entry]\nType=Application\nName=V\nExec=" + viewer + " --view %f\n");
    return viewer;
}

} // namespace carvelle::testing
