#pragma once

#include "common/stream.h"
#include "project_model.h"

#include <string>

namespace carvelle {

inline constexpr const char* kSourceFolderName = "\\AutoRunSource";
inline constexpr const char* kSourceFileName = "AutoRun.src";
inline constexpr const char* kTargetFileName = "autorun.tgt";
inline constexpr const char* kPlayerFileName = "autorun.exe";

bool ReadInstaller(Stream& stream, TInstallWare& installer);
bool WriteInstaller(Stream& stream, const TInstallWare& installer);
// The settings block, installers included.
bool ReadSettings(Stream& stream, TSettings& settings);
bool WriteSettings(Stream& stream, const TSettings& settings);
// Marker, settings and page list; the trailing byte is the caller's.
bool ReadProjectHeader(Stream& stream, ProjectHeader& header);
bool WriteProjectHeader(Stream& stream, const ProjectHeader& header);
// The whole project file, trailing byte included. File names are composed paths.
bool ReadProjectFile(const std::string& fileName, ProjectHeader& header);
bool WriteProjectFile(const std::string& fileName, const ProjectHeader& header);

} // namespace carvelle
