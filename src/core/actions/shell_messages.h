#pragma once

#include <string>

namespace carvelle {

// Shown for every failed "Send Email", whatever the shell answered.
inline constexpr const char* kNoEmailProgramText =
    "Default email program not found on your system.";

// The message for a failed shell call's result code; empty for a success code (above 32).
std::string ShellErrorText(int result);

} // namespace carvelle
