#include "program_mode.h"

#include "common/ascii.h"

namespace carvelle {

namespace {

std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}

} // namespace

bool IsDesignerExecutable(const std::string& executablePath) {
    const std::size_t separator = LastSeparator(executablePath);
    const std::string name = UpperAscii(
        separator == std::string::npos ? executablePath : executablePath.substr(separator + 1));
    return name == "CARVELLE.EXE" || name == "CARVELLE";
}

std::string ProgramFolderOf(const std::string& executablePath) {
    std::string path = executablePath;
    if (!path.empty() && (path.back() == '/' || path.back() == '\\')) {
        path.pop_back();
    }
    const std::size_t separator = LastSeparator(path);
    if (separator == std::string::npos) {
        return ".";
    }
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

} // namespace carvelle
