#include "platform/special_folders.h"

#include "project/folder_tokens.h"

#include "xdg_dirs.h"

#include <filesystem>
#include <fstream>
#include <optional>

namespace carvelle {

namespace {

using posix::ConfigHome;
using posix::DataHome;
using posix::HomeFolder;
using posix::JoinPath;

std::string TrimTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// The value of a `XDG_<key>_DIR="..."` line, with $HOME expanded; nullopt when the line is not
// that assignment or its value is neither "$HOME..." nor absolute (both ignored by xdg-user-dirs).
std::optional<std::string> ParseUserDirLine(const std::string& line, const std::string& variable,
                                            const std::string& home) {
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line.compare(at, variable.size(), variable) != 0) {
        return std::nullopt;
    }
    at = line.find_first_not_of(" \t", at + variable.size());
    if (at == std::string::npos || line[at] != '=') {
        return std::nullopt;
    }
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line[at] != '"') {
        return std::nullopt;
    }
    std::string value;
    bool closed = false;
    for (++at; at < line.size(); ++at) {
        if (line[at] == '\\' && at + 1 < line.size()) {
            value += line[++at];
        } else if (line[at] == '"') {
            closed = true;
            break;
        } else {
            value += line[at];
        }
    }
    if (!closed) {
        return std::nullopt;
    }
    if (value.compare(0, 5, "$HOME") == 0 && (value.size() == 5 || value[5] == '/')) {
        return home.empty() ? std::string() : TrimTrailingSlashes(home) + value.substr(5);
    }
    if (!value.empty() && value.front() == '/') {
        return value;
    }
    return std::nullopt;
}

// An XDG user folder (key such as "DESKTOP") from user-dirs.dirs, else its default.
std::string UserDir(const std::string& key, const std::string& fallback) {
    const std::string home = HomeFolder();
    if (home.empty()) {
        return {};
    }
    const std::string variable = "XDG_" + key + "_DIR";
    std::optional<std::string> folder;
    std::ifstream file(JoinPath(ConfigHome(), "user-dirs.dirs"));
    for (std::string line; std::getline(file, line);) {
        if (auto value = ParseUserDirLine(line, variable, home)) {
            folder = std::move(value); // like the shell, a later line overrides
        }
    }
    if (!folder) {
        return JoinPath(home, fallback);
    }
    // "$HOME/" is how a user folder is switched off; the home folder is not that folder.
    if (TrimTrailingSlashes(*folder) == TrimTrailingSlashes(home)) {
        return {};
    }
    return *folder;
}

std::string FontsFolder(const std::string& home) {
    std::error_code error;
    const std::string shared = JoinPath(DataHome(), "fonts");
    if (std::filesystem::is_directory(shared, error)) {
        return shared;
    }
    return JoinPath(home, ".fonts");
}

std::string CandidatePath(int id) {
    namespace sf = special_folder;
    const std::string home = HomeFolder();
    switch (id) {
    case sf::Desktop:
    case sf::DesktopDirectory:
        return UserDir("DESKTOP", "Desktop");
    case sf::Personal:
    case sf::MyDocuments:
        return UserDir("DOCUMENTS", "Documents");
    case sf::MyMusic:
        return UserDir("MUSIC", "Music");
    case sf::MyVideo:
        return UserDir("VIDEOS", "Videos");
    case sf::MyPictures:
        return UserDir("PICTURES", "Pictures");
    case sf::Templates:
        return UserDir("TEMPLATES", "Templates");
    case sf::CommonDocuments:
        return UserDir("PUBLICSHARE", "Public");
    case sf::Profile:
        return home;
    case sf::AppData:
    case sf::LocalAppData:
        return DataHome();
    case sf::CommonAppData:
        return posix::DataDirs().front();
    case sf::Startup:
        return JoinPath(ConfigHome(), "autostart");
    case sf::StartMenu:
    case sf::Programs:
        return JoinPath(DataHome(), "applications");
    case sf::Fonts:
        return FontsFolder(home);
    case sf::InternetCache:
        return posix::CacheHome();
    default:
        return {};
    }
}

} // namespace

std::string SpecialFolderPath(int id) {
    std::string path = CandidatePath(id);
    std::error_code error;
    if (path.empty() || !std::filesystem::is_directory(path, error)) {
        return {};
    }
    return path;
}

std::string ExpandFolderToken(const std::string& text) {
    return ExpandFolderToken(text, SpecialFolderPath);
}

} // namespace carvelle
