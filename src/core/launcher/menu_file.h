#pragma once

#include "launcher/menu.h"
#include "launcher/messages.h"
#include "launcher/package.h"

#include "common/stream.h"

#include <string>
#include <vector>

namespace carvelle::launcher {

// Pictures of one menu may not inflate to more than this many bytes together.
constexpr std::uint64_t kMaxMenuPictureBytes = 1ull << 30;

struct MenuReadResult {
    Menu Loaded;
    // True when the menu is to be presented (perhaps with fewer pictures than stored).
    bool Read = false;
    // What the launcher traces to the debugger output, such as the shape-colour conversion.
    std::vector<std::string> Traces;
};

// Reads the menu stored under `name` in the package of `exe`; the boxes to show are appended
// to `messages` in order.
MenuReadResult ReadMenu(Stream& exe, const PackageDirectory& directory, const std::string& name,
                        Messages& messages);

// What start-up reads: the package, then the menu in its first slot.
struct StartupRead {
    // False when the package could not be read: the launcher ends after the messages.
    bool PackageOpened = false;
    PackageDirectory Directory;
    MenuReadResult MenuRead;
    Messages Boxes;
};
StartupRead ReadStartupMenu(Stream& exe);

// Writes `menu` (actions, settings, frames and their region texts) as a menu file. Throws
// StreamError when it does not fit the format: more than 100 alternatives or pictures, a
// frame without a region text, or a failing write.
void WriteMenu(Stream& out, const Menu& menu);

} // namespace carvelle::launcher
