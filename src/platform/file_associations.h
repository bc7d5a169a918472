#pragma once

#include <string>

namespace carvelle {

// The command line registered to open files with this extension (such as ".pdf"), or empty
// when no program is registered. Answers within a few seconds even if the system's tools hang.
std::string FindOpenCommand(const std::string& extension);

} // namespace carvelle
