#pragma once

#include <string>

namespace carvelle {

// The designer's first project folder: DefaultPath of [START] in "Carvelle.ini" beside the
// program, else documents + "\Carvelle Enterprise Projects\CDROM" when that folder exists,
// else empty.
std::string InitialDesignerProjectFolder(const std::string& programFolder,
                                         const std::string& documentsFolder);

} // namespace carvelle
