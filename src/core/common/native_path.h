#pragma once

#include <filesystem>
#include <string>

namespace carvelle {

// Paths are composed with backslashes, as projects store them, and turned native only here.

// The composed path with every backslash as '/', exactly; for files about to be created.
std::filesystem::path ToNativePath(const std::string& composed);

// Like ToNativePath, but when that path does not exist each missing component is looked up
// ignoring letter case (media are often authored on Windows). An exact name wins over a
// case-insensitive one; among several of those the byte-wise smallest wins. When a component
// has no match at all the exact path comes back, so opening it fails as "not found".
std::filesystem::path FindNativePath(const std::string& composed);

} // namespace carvelle
