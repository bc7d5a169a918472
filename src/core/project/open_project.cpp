#include "open_project.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "common/native_path.h"
#include "package.h"
#include "project_file.h"

#include <filesystem>
#include <system_error>

namespace carvelle {

namespace fs = std::filesystem;

namespace {

std::string SourceFilePath(const std::string& projectFolder) {
    return projectFolder + kSourceFolderName + "\\" + kSourceFileName;
}

std::string TargetFilePath(const std::string& projectFolder) {
    return projectFolder + "\\" + kTargetFileName;
}

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

bool ReadTargetFile(ProjectSession& session) {
    const fs::path path = FindNativePath(TargetFilePath(session.ProjectFolder));
    return GuardedFile(ErrorCode::ProjectOpen, path.string(), [&] {
        FileStream stream;
        if (!stream.Open(path, FileStream::Mode::Read)) {
            throw StreamError("cannot open", stream.OpenError());
        }
        if (!ReadProjectHeader(stream, session.Project)) {
            return false;
        }
        session.Project.TrailingByte = ReadByte(stream);
        return true;
    });
}

bool OpenPackage(ProjectSession& session, const std::string& executablePath,
                 const std::string& temporaryFolder) {
    const fs::path folder = ToNativePath(FreeExtractionFolder(temporaryFolder));
    std::error_code ec;
    if (!fs::create_directory(folder, ec)) {
        ReportError(ErrorCode::ExtractFolderCreate, ec ? ec.value() : EEXIST);
        return false;
    }
    session.Cleanup.AddFolder(folder.string());

    const fs::path copy = folder / kPlayerFileName;
    fs::copy_file(ToNativePath(executablePath), copy, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        ReportError(ErrorCode::ExecutableCopy, ec.value());
        return false;
    }
    session.Cleanup.AddFile(copy.string());
    // A copy taken from a read-only medium stays read-only and would survive the clean-up.
    fs::permissions(copy, fs::perms::owner_write, fs::perm_options::add, ec);

    const bool extracted = GuardedFile(ErrorCode::ProjectOpen, copy.string(), [&] {
        FileStream stream;
        if (!stream.Open(copy, FileStream::Mode::Read)) {
            throw StreamError("cannot open", stream.OpenError());
        }
        std::uint64_t offset = 0;
        if (!ReadPackageOffset(stream, offset)) {
            throw StreamError("no package appended");
        }
        return ExtractTree(stream, folder, session.Cleanup, copy.string());
    });
    if (!extracted) {
        return false;
    }
    session.ProjectFolder = folder.string();
    session.Source = ProjectSource::TargetFile;
    return ReadTargetFile(session);
}

} // namespace

ProjectSource ChooseProjectSource(const std::string& projectFolder) {
    if (Exists(FindNativePath(SourceFilePath(projectFolder)))) {
        return ProjectSource::SourceFiles;
    }
    if (Exists(FindNativePath(TargetFilePath(projectFolder)))) {
        return ProjectSource::TargetFile;
    }
    return ProjectSource::Package;
}

std::string FreeExtractionFolder(const std::string& temporaryFolder) {
    for (unsigned number = 0;; ++number) {
        const std::string candidate = temporaryFolder + "\\Carvelle" + std::to_string(number);
        if (!Exists(ToNativePath(candidate))) {
            return candidate;
        }
    }
}

bool OpenProject(ProjectSession& session, const std::string& executablePath,
                 const std::string& temporaryFolder) {
    switch (session.Source) {
    case ProjectSource::SourceFiles:
        return ReadProjectFile(SourceFilePath(session.ProjectFolder), session.Project);
    case ProjectSource::TargetFile:
        return ReadTargetFile(session);
    case ProjectSource::Package:
        return OpenPackage(session, executablePath, temporaryFolder);
    }
    return false;
}

} // namespace carvelle
