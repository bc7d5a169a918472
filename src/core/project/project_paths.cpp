#include "project_paths.h"

namespace carvelle {

std::string ResolveProjectPath(const std::string& projectFolder, const std::string& path) {
    std::string folder = projectFolder;
    // The folder is kept without its separator; a root such as "C:\" or "/" would double it.
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    if (path.empty() || path.front() != '\\') {
        return folder + '\\' + path;
    }
    return folder + path;
}

} // namespace carvelle
