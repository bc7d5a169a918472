#pragma once

#include <functional>
#include <string>

namespace carvelle::ui::avensa {

// Where the launcher runs and how it ends; the program fills it from the system, tests from a
// temporary folder.
struct LauncherEnvironment {
    std::string ExePath;    // native path of the running executable
    std::string MountPoint; // native mount point of the medium it runs from
    // Ends the program; the default leaves the application's event loop.
    std::function<void()> Terminate;
};

} // namespace carvelle::ui::avensa
