#pragma once

#include "common/json_writer.h"
#include "open_project.h"
#include "project_model.h"

#include <string>

namespace carvelle {

void WriteJsonSettings(JsonWriter& json, const TSettings& settings);
void WriteJsonInstaller(JsonWriter& json, const TInstallWare& installer);

// {"Source", "Settings", "Installers", "Pages"} of an opened project.
std::string ProjectInfoJson(ProjectSource source, const ProjectHeader& header);

} // namespace carvelle
