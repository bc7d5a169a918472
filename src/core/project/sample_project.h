#pragma once

#include <string>

namespace carvelle {

// Writes the bundled sample project into the folder with the project's own writers.
bool WriteSampleProject(const std::string& folder);

} // namespace carvelle
