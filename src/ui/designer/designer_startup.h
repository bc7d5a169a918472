#pragma once

#include "project/open_project.h"

#include <QStringList>

namespace carvelle::ui {

// The designer from start to exit. `arguments` are the command line, program first.
int RunDesigner(ProjectSession& session, const QStringList& arguments);

} // namespace carvelle::ui
