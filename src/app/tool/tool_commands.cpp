#include "tool_commands.h"

#include "common/ascii.h"
#include "common/error_codes.h"
#include "common/guarded.h"
#include "objects/page.h"
#include "objects/page_json.h"
#include "platform/system_paths.h"
#include "project/open_project.h"
#include "project/package.h"
#include "project/page_locator.h"
#include "project/project_file.h"
#include "project/project_json.h"
#include "project/sample_project.h"
#include "project/target_file.h"
#include "ui/player/auto_run_form.h"
#include "ui/player/page_render.h"

#include <QImage>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

namespace carvelle::tool {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: carvelle-tool COMMAND ARGUMENTS\n"
    "  info PATH                   settings, installers and pages of a project folder,\n"
    "                              an autorun.tgt or an executable with a package, as JSON\n"
    "  package PROJECT PLAYER OUT  write one self-contained executable\n"
    "  extract EXE DEST            unpack the package appended to EXE into DEST\n"
    "  page PATH                   a page file (.pg) as JSON\n"
    "  page PROJECT NAME           the page NAME of a project folder, target file or package\n"
    "  target PROJECT              write PROJECT's autorun.tgt from its source files\n"
    "  render PROJECT PAGE OUT.png the page as the player shows it after its fade-in\n"
    "  sample DIR                  write the bundled sample project into DIR\n";

bool EndsWithTarget(const fs::path& path) {
    return UpperAscii(path.filename().string()) == "AUTORUN.TGT";
}

// Opens what PATH names the way the player would, into `session`; `source` tells where the
// project came from (a package is read from its unpacked target file).
bool OpenForInfo(const fs::path& path, ProjectSession& session, ProjectSource& source) {
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        ReportFileError(ErrorCode::ProjectOpen, path.string(), ENOENT);
        return false;
    }
    if (fs::is_directory(path, ec)) {
        session.ProjectFolder = path.string();
        session.Source = ChooseProjectSource(session.ProjectFolder);
        if (session.Source == ProjectSource::Package) {
            // A folder has no package; report the target file that is missing.
            session.Source = ProjectSource::TargetFile;
        }
        source = session.Source;
        return OpenProject(session, "", TemporaryFolder());
    }
    session.ProjectFolder = path.parent_path().string();
    if (EndsWithTarget(path)) {
        session.Source = source = ProjectSource::TargetFile;
        return OpenProject(session, "", TemporaryFolder());
    }
    session.Source = source = ProjectSource::Package;
    return OpenProject(session, path.string(), TemporaryFolder());
}

int Info(const std::vector<std::string>& args, std::ostream& out) {
    ProjectSession session;
    ProjectSource source = ProjectSource::SourceFiles;
    const bool opened = OpenForInfo(fs::absolute(args[0]), session, source);
    if (opened) {
        out << ProjectInfoJson(source, session.Project);
    }
    session.Cleanup.RemoveAll();
    return opened ? 0 : 1;
}

int Package(const std::vector<std::string>& args, std::ostream&) {
    return WritePackage(args[1], args[0], args[2]) ? 0 : 1;
}

int Extract(const std::vector<std::string>& args, std::ostream&) {
    const fs::path exe = args[0];
    const fs::path destination = args[1];
    const bool extracted = GuardedFile(ErrorCode::ProjectOpen, exe.string(), [&] {
        FileStream stream;
        if (!stream.Open(exe, FileStream::Mode::Read)) {
            throw StreamError("cannot open", stream.OpenError());
        }
        std::uint64_t offset = 0;
        if (!ReadPackageOffset(stream, offset)) {
            throw StreamError("no package appended");
        }
        std::error_code ec;
        fs::create_directories(destination, ec);
        if (ec) {
            ReportFileError(ErrorCode::PackageFolderCreate, destination.string(), ec.value());
            return false;
        }
        CleanupList created; // what is extracted stays
        return ExtractTree(stream, destination, created, exe.string());
    });
    return extracted ? 0 : 1;
}

// The index of the named page, reporting a name the project does not have.
bool FindNamedPage(const ProjectSession& session, const std::string& name, std::size_t& index) {
    const int found = FindPageByName(session, name);
    if (found < 0) {
        ShowErrorBox("The project has no page named \"" + name + "\".");
        return false;
    }
    index = static_cast<std::size_t>(found);
    return true;
}

// Reads the named page of an opened project from where the player would find it.
bool ReadProjectPage(const ProjectSession& session, const std::string& name, TPage& page) {
    std::size_t index = 0;
    if (!FindNamedPage(session, name, index)) {
        return false;
    }
    FileStream stream;
    int systemError = 0;
    if (!OpenPageStream(session, index, stream, systemError)) {
        ReportFileError(ErrorCode::PageOpenByIndex, PageFileName(session, index), systemError);
        return false;
    }
    return ReadPage(stream, page);
}

int Page(const std::vector<std::string>& args, std::ostream& out) {
    TPage page;
    bool read = false;
    if (args.size() == 1) {
        read = ReadPageFile(fs::absolute(args[0]).string(), page);
    } else {
        ProjectSession session;
        ProjectSource source = ProjectSource::SourceFiles;
        read = OpenForInfo(fs::absolute(args[0]), session, source) &&
               ReadProjectPage(session, args[1], page);
        session.Cleanup.RemoveAll();
    }
    if (read) {
        out << PageJson(page);
    }
    return read ? 0 : 1;
}

int Render(const std::vector<std::string>& args, std::ostream&) {
    ProjectSession session;
    ProjectSource source = ProjectSource::SourceFiles;
    bool rendered = false;
    std::size_t index = 0;
    if (OpenForInfo(fs::absolute(args[0]), session, source) &&
        FindNamedPage(session, args[1], index)) {
        {
            ui::TAutoRunForm form(session);
            if (form.LoadPage(index, ui::TAutoRunForm::LoadMode::Whole)) {
                const QImage image = ui::RenderPageWindow(form);
                rendered = image.save(QString::fromStdString(args[2]), "PNG");
                if (!rendered) {
                    ShowErrorBox("\"" + args[2] + "\" could not be written.");
                }
            }
        }
    }
    session.Cleanup.RemoveAll();
    return rendered ? 0 : 1;
}

int Target(const std::vector<std::string>& args, std::ostream&) {
    const std::string folder = fs::absolute(args[0]).string();
    ProjectHeader header;
    if (!ReadProjectFile(folder + kSourceFolderName + "\\" + kSourceFileName, header)) {
        return 1;
    }
    const bool written = WriteTargetFile(folder, header, [&](Stream& stream, std::size_t index) {
        TPage page;
        return ReadPageFile(folder + kSourceFolderName + "\\" + header.Pages[index].Name + ".pg",
                            page) &&
               WritePage(stream, page);
    });
    return written ? 0 : 1;
}

int Sample(const std::vector<std::string>& args, std::ostream&) {
    return WriteSampleProject(fs::absolute(args[0]).string()) ? 0 : 1;
}

struct Command {
    std::size_t minArguments;
    std::size_t maxArguments;
    std::function<int(const std::vector<std::string>&, std::ostream&)> run;
};

} // namespace

int RunToolCommand(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err) {
    static const std::map<std::string, Command> commands{
        {"info", {1, 1, Info}},     {"package", {3, 3, Package}}, {"extract", {2, 2, Extract}},
        {"page", {1, 2, Page}},     {"target", {1, 1, Target}},   {"sample", {1, 1, Sample}},
        {"render", {3, 3, Render}},
    };
    if (arguments.empty()) {
        err << kUsage;
        return 2;
    }
    const auto it = commands.find(arguments[0]);
    const std::size_t count = arguments.size() - 1;
    if (it == commands.end() || count < it->second.minArguments ||
        count > it->second.maxArguments) {
        err << kUsage;
        return 2;
    }
    return it->second.run({arguments.begin() + 1, arguments.end()}, out);
}

} // namespace carvelle::tool
