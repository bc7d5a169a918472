#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace carvelle::avensa {

// Runs one command of avensa-tool; `arguments` start with the command name. `toolFolder` is
// where the tool lives (the default launcher is "avensa" beside it). Returns the exit code:
// 0 success, 1 failure (the reason was printed to `err`), 2 wrong usage.
int RunAvensaTool(const std::vector<std::string>& arguments, const std::string& toolFolder,
                  std::ostream& out, std::ostream& err);

} // namespace carvelle::avensa
