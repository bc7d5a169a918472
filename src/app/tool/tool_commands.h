#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace carvelle::tool {

// Runs one command of carvelle-tool; `arguments` follow the command name. Returns the exit
// code: 0 success, 1 failure (the error was reported), 2 wrong usage.
int RunToolCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace carvelle::tool
