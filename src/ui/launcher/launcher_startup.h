#pragma once

#include "launcher/menu_file.h"

#include <string>

namespace carvelle::ui::avensa {

// Opens the launcher's own executable read-only and reads its package and start-up menu; the
// file is closed again before the menu is shown. An executable that cannot be opened fails
// like a package that cannot be read.
launcher::StartupRead ReadOwnPackage(const std::string& exePath);

} // namespace carvelle::ui::avensa
