#include "xdg_dirs.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace carvelle::posix {

namespace {

std::string AbsoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value && value[0] == '/' ? std::string(value) : std::string();
}

std::string BaseFolder(const char* variable, const char* fallback) {
    std::string value = AbsoluteVariable(variable);
    return value.empty() ? JoinPath(HomeFolder(), fallback) : value;
}

} // namespace

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0]) {
        return home;
    }
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? std::string(entry->pw_dir) : std::string();
}

std::string DataHome() {
    return BaseFolder("XDG_DATA_HOME", ".local/share");
}

std::string ConfigHome() {
    return BaseFolder("XDG_CONFIG_HOME", ".config");
}

std::string CacheHome() {
    return BaseFolder("XDG_CACHE_HOME", ".cache");
}

std::vector<std::string> DataDirs() {
    std::vector<std::string> dirs;
    const char* value = std::getenv("XDG_DATA_DIRS");
    const std::string list = value ? value : "";
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        if (list[start] == '/') {
            dirs.push_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    if (dirs.empty()) {
        dirs = {"/usr/local/share", "/usr/share"};
    }
    return dirs;
}

std::string JoinPath(const std::string& base, const std::string& name) {
    if (base.empty()) {
        return {};
    }
    return base.back() == '/' ? base + name : base + '/' + name;
}

} // namespace carvelle::posix
