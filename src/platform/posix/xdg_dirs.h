#pragma once

#include <string>
#include <vector>

namespace carvelle::posix {

// The XDG base folders. A variable holding a relative path is invalid and ignored, as the
// base-directory rules say.
std::string HomeFolder();
std::string DataHome();              // XDG_DATA_HOME, else ~/.local/share
std::string ConfigHome();            // XDG_CONFIG_HOME, else ~/.config
std::string CacheHome();             // XDG_CACHE_HOME, else ~/.cache
std::vector<std::string> DataDirs(); // XDG_DATA_DIRS, else /usr/local/share, /usr/share

// base + "/" + name without doubling the slash; empty when base is.
std::string JoinPath(const std::string& base, const std::string& name);

} // namespace carvelle::posix
