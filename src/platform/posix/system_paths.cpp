#include "platform/system_paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace carvelle {

std::string TemporaryFolder() {
    const char* value = std::getenv("TMPDIR");
    std::string folder = value && value[0] == '/' ? value : "/tmp";
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

std::string ExecutablePath() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

} // namespace carvelle
