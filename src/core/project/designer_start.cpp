#include "designer_start.h"

#include "common/ini_file.h"
#include "common/native_path.h"

#include <filesystem>
#include <system_error>

namespace carvelle {

std::string InitialDesignerProjectFolder(const std::string& programFolder,
                                         const std::string& documentsFolder) {
    IniFile ini;
    std::string folder;
    if (ini.Load(FindNativePath(programFolder + "\\Carvelle.ini"))) {
        folder = ini.Value("START", "DefaultPath");
    }
    if (folder.empty() && !documentsFolder.empty()) {
        const std::string candidate = documentsFolder + "\\Carvelle Enterprise Projects\\CDROM";
        std::error_code ec;
        if (std::filesystem::is_directory(FindNativePath(candidate), ec)) {
            folder = candidate;
        }
    }
    return folder;
}

} // namespace carvelle
