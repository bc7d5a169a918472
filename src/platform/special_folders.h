#pragma once

#include <string>

namespace carvelle {

// The file-system path of the special folder with this table id (project/folder_tokens.h),
// unchanged (no separator added or removed); empty for virtual folders, folders the system
// does not have and folders that do not exist.
std::string SpecialFolderPath(int id);

// The path the token text (such as "[Desktop]") stands for on this system, or empty.
std::string ExpandFolderToken(const std::string& text);

} // namespace carvelle
