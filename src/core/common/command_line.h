#pragma once

#include <string>
#include <vector>

namespace carvelle {

// Splits parameters into arguments the way Windows programs read their command line:
// - blanks (space, tab) outside double quotes separate arguments; a quoted part joins them,
//   and "" on its own is an empty argument;
// - inside quotes, "" stands for one literal quote;
// - 2n backslashes before a quote give n backslashes and the quote opens or closes quoting;
//   2n+1 give n backslashes and a literal quote; backslashes anywhere else are literal.
std::vector<std::string> SplitCommandLine(const std::string& parameters);

} // namespace carvelle
