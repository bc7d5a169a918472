#pragma once

#include "cleanup_list.h"
#include "project_model.h"

#include <string>

namespace carvelle {

enum class ProjectSource : int { SourceFiles = 0, TargetFile = 1, Package = 2 };

// The state a run keeps from start to exit.
struct ProjectSession {
    bool DesignerMode = false;
    std::string ProgramFolder; // no trailing separator
    std::string ProjectFolder; // every relative path of the project is resolved against it
    ProjectSource Source = ProjectSource::SourceFiles;
    ProjectHeader Project;
    CleanupList Cleanup;
};

// Source files win over the target file, which wins over the appended package.
ProjectSource ChooseProjectSource(const std::string& projectFolder);

// Reads the settings and page list from the session's source. For a package it first unpacks
// the running executable into the first free "Carvelle<n>" folder of `temporaryFolder`, which
// then becomes the project folder.
bool OpenProject(ProjectSession& session, const std::string& executablePath,
                 const std::string& temporaryFolder);

// The first "Carvelle<n>" name, n = 0, 1, 2, ..., that does not exist in the folder.
std::string FreeExtractionFolder(const std::string& temporaryFolder);

} // namespace carvelle
