#include "launcher_startup.h"

#include "common/stream.h"

namespace carvelle::ui::avensa {

launcher::StartupRead ReadOwnPackage(const std::string& exePath) {
    FileStream exe;
    if (exePath.empty() || !exe.Open(exePath, FileStream::Mode::Read)) {
        launcher::StartupRead failed;
        failed.Boxes.push_back({launcher::MessageKind::Error, "Error in loading internal menu."});
        return failed;
    }
    return launcher::ReadStartupMenu(exe);
}

} // namespace carvelle::ui::avensa
