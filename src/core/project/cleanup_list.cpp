#include "cleanup_list.h"

#include <filesystem>
#include <system_error>

namespace carvelle {

void CleanupList::RemoveAll() {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->empty()) {
            continue;
        }
        const std::filesystem::path path(it->substr(1));
        std::error_code ignored;
        const char kind = it->front();
        if (kind == 'D') {
            // Only an empty folder goes; remove() refuses the others.
            if (std::filesystem::is_directory(std::filesystem::symlink_status(path, ignored))) {
                std::filesystem::remove(path, ignored);
            }
        } else if (kind == 'F') {
            if (!std::filesystem::is_directory(std::filesystem::symlink_status(path, ignored))) {
                std::filesystem::remove(path, ignored);
            }
        }
    }
    entries_.clear();
}

} // namespace carvelle
