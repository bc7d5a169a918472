#pragma once

#include <string>

namespace carvelle {

// The system's temporary folder, without a trailing separator.
std::string TemporaryFolder();

// The full path of the running executable; empty when the system cannot tell.
std::string ExecutablePath();

} // namespace carvelle
