#pragma once

#include "objects/command.h"

namespace carvelle::ui {

class TAutoRunForm;

// Carries out an action of a page; true when it was carried out. The page-level actions
// (sub pages, goto, close, exit) are handled here; the others arrive with their own code.
bool RunAction(TAutoRunForm& window, const TCommand& action);

} // namespace carvelle::ui
