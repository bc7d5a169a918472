#include "platform/mount_point.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace carvelle {

namespace {

namespace fs = std::filesystem;

// Mount points are written with octal escapes for blanks, tabs, new lines and backslashes.
std::string Unescape(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' &&
            field[i + 1] <= '3' && field[i + 2] >= '0' && field[i + 2] <= '7' &&
            field[i + 3] >= '0' && field[i + 3] <= '7') {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                      (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

// `mount` holds `path` when it is the root, the path itself, or a folder above it.
bool Holds(const std::string& mount, const std::string& path) {
    if (mount == "/") {
        return true;
    }
    return path.compare(0, mount.size(), mount) == 0 &&
           (path.size() == mount.size() || path[mount.size()] == '/');
}

} // namespace

std::string MountPointFromTable(const std::string& mountInfo, const std::string& path) {
    std::string best = "/";
    std::istringstream lines(mountInfo);
    for (std::string line; std::getline(lines, line);) {
        // Fields: id, parent id, major:minor, root, mount point, ...
        std::istringstream fields(line);
        std::string id, parent, device, root, mountField;
        if (!(fields >> id >> parent >> device >> root >> mountField)) {
            continue;
        }
        std::string mount = Unescape(mountField);
        while (mount.size() > 1 && mount.back() == '/') {
            mount.pop_back();
        }
        if (mount.empty() || mount[0] != '/') {
            continue;
        }
        // Of nested mounts the deepest holds the path; a later line mounted over an earlier
        // one at the same place hides it, and both name the same folder.
        if (Holds(mount, path) && mount.size() > best.size()) {
            best = mount;
        }
    }
    return best;
}

std::string MountPointOf(const std::string& path) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
    if (error) {
        resolved = fs::path(path).lexically_normal();
    }
    std::ifstream table("/proc/self/mountinfo");
    std::stringstream text;
    text << table.rdbuf();
    return MountPointFromTable(text.str(), resolved.string());
}

} // namespace carvelle
