#pragma once

#include <string>

namespace carvelle {

// A project-relative path made absolute by plain concatenation: projectFolder (without its
// trailing separator) + "\" + path, the backslash only added when path lacks one. Nothing is
// normalised: "..", drive letters and absolute paths are simply appended. The result is a
// composed path; turn it native at the file-system boundary (common/native_path.h).
std::string ResolveProjectPath(const std::string& projectFolder, const std::string& path);

} // namespace carvelle
