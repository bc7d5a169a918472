#pragma once

#include <string>

namespace carvelle {

// The designer runs when the executable's file name, upper-cased, is "CARVELLE.EXE" or
// "CARVELLE"; every other name plays the project beside it.
bool IsDesignerExecutable(const std::string& executablePath);

// The folder of the executable, without a trailing separator.
std::string ProgramFolderOf(const std::string& executablePath);

} // namespace carvelle
