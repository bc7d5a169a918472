#pragma once

#include "player_startup.h"

namespace carvelle::ui {

// The page windows of a player run: splash pages, background pages and the main window.
PlayerStages PagePlayerStages();

} // namespace carvelle::ui
