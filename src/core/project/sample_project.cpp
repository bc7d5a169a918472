#include "sample_project.h"

#include "common/error_codes.h"
#include "common/error_report.h"
#include "common/native_path.h"
#include "common/primitives.h"
#include "project_file.h"

#include <filesystem>
#include <system_error>

namespace carvelle {

namespace {

ProjectHeader SampleHeader() {
    ProjectHeader header;
    TSettings& s = header.Settings;
    s.Title = "Carvelle Sample CD";
    s.Style = 0;
    s.TabSheets = JoinTextLines({"Products", "Support"});
    s.TabFont.Name = "Tahoma";
    s.TabFont.Size = 9;
    s.Hint.UseCustomizedHint = true;
    s.Hint.Direction = 2;
    s.Hint.BackStyle = 2;
    s.Hint.GradientColor = RgbColour(255, 220, 120);

    TInstallWare reader;
    reader.Executable = "\\Install\\reader-setup.exe";
    reader.Parameters = "/quiet";
    reader.StartFolder = "\\Install";
    reader.Wait = true;
    reader.When = InstallWhen::NoViewer;
    reader.FileType = ".pdf (PDF Document)";
    reader.Prompt = true;
    reader.PromptCaption = "Install Software";
    reader.PromptMessage = "No PDF viewer was found. Install one now?";
    reader.AllowSkip = true;

    TInstallWare runtime;
    runtime.Executable = "\\Install\\runtime.exe";
    runtime.When = InstallWhen::Always;
    runtime.Prompt = true;
    runtime.PromptCaption = "Caf\xE9 Runtime"; // stored texts are Windows-1252
    runtime.PromptMessage = "The runtime will be installed now.";
    s.Installers = {reader, runtime};

    const auto page = [](const char* name, PageKind kind) {
        return TAutoFormInfo{name, static_cast<std::int32_t>(kind), 0, name, false};
    };
    header.Pages = {page("Welcome", PageKind::SplashScreen), page("Main", PageKind::MainPage),
                    page("Products", PageKind::SubPage), page("Support", PageKind::SubPage),
                    page("Goodbye", PageKind::ExitForm)};
    return header;
}

} // namespace

bool WriteSampleProject(const std::string& folder) {
    const std::string sourceFolder = folder + kSourceFolderName;
    std::error_code ec;
    std::filesystem::create_directories(ToNativePath(sourceFolder), ec);
    if (ec) {
        ReportFileError(ErrorCode::ProjectFileWrite, ToNativePath(sourceFolder).string(),
                        ec.value());
        return false;
    }
    return WriteProjectFile(sourceFolder + "\\" + kSourceFileName, SampleHeader());
}

} // namespace carvelle
