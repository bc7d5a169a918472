#pragma once

#include <string>

namespace carvelle {

// The mount point of the file system that holds `path` (native, such as "/media/cdrom"), "/"
// when nothing more specific holds it. Symbolic links in `path` are followed first.
std::string MountPointOf(const std::string& path);

// The same, from the text of a mount table in the /proc/<pid>/mountinfo format and a path that
// is already absolute and free of links.
std::string MountPointFromTable(const std::string& mountInfo, const std::string& path);

} // namespace carvelle
