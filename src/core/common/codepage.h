#pragma once

#include <string>

namespace carvelle {

// Stored texts are Windows-1252 bytes; these convert at the edges (ui, JSON output).
std::string Windows1252ToUtf8(const std::string& text);
// Characters without a Windows-1252 form become '?'.
std::string Utf8ToWindows1252(const std::string& text);

} // namespace carvelle
