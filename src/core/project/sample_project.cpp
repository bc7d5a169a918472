#include "sample_project.h"

#include "actions/action_codes.h"
#include "common/error_codes.h"
#include "common/error_report.h"
#include "common/native_path.h"
#include "common/primitives.h"
#include "designer/object_rules.h"
#include "objects/page.h"
#include "project_file.h"
#include "sample_media.h"
#include "target_file.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
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

// A page of the sample: its caption, a title label and what `fill` adds.
template <typename Fill>
TPage SamplePage(const TAutoFormInfo& entry, const std::string& caption, Fill&& fill) {
    TPage page;
    page.PageName = entry.Name;
    page.PageKind = static_cast<std::uint8_t>(entry.Kind);
    page.Caption = caption;
    page.GradientColor = RgbColour(40, 70, 140);
    auto& title = std::get<kinds::Label>(CreateObject(page, 3, 24, 16).Properties);
    title.Caption = caption;
    title.Bounds.Width = 400;
    title.Bounds.Height = 40;
    fill(page);
    ReorderObjects(page);
    return page;
}

kinds::Button& AddButton(TPage& page, const char* caption, std::int32_t top, ActionCode action,
                         const char* target) {
    TAutoObject& object = CreateObject(page, 0, 24, top);
    object.Command.ActionKind = ActionKindOf(action);
    object.Command.Target = target;
    auto& button = std::get<kinds::Button>(object.Properties);
    button.Caption = caption;
    button.Bounds.Width = 160;
    return button;
}

std::vector<TPage> SamplePages(const ProjectHeader& header) {
    const auto& entries = header.Pages;
    return {
        SamplePage(entries[0], "Welcome",
                   [](TPage& page) {
                       page.StayTime = 3;
                       page.BorderStyle = 0;
                   }),
        SamplePage(
            entries[1], "Carvelle Sample CD",
            [](TPage& page) {
                AddButton(page, "Read the manual", 80, ActionCode::OpenRunFile,
                          "\\docs\\manual.pdf");
                AddButton(page, "Products", 120, ActionCode::ShowSubPage, "Products");
                AddButton(page, "Support", 160, ActionCode::ShowSubPage, "Support");
                AddButton(page, "Exit", 200, ActionCode::Exit, "");
                for (TAutoObject& object : page.Objects) {
                    object.Command.ClickSound = "\\sounds\\click.wav";
                }
                TAutoObject& emblem = CreateObject(page, 2, 400, 80);
                emblem.Command.Comment = "Carvelle";
                auto& image = std::get<kinds::Image>(emblem.Properties);
                image.Width = image.Height = 120;
                image.Center = true;
                image.Transparent = true;
                const auto bitmap = [](std::uint32_t light, std::uint32_t dark) {
                    return Picture{GraphicClass::Bitmap, SampleEmblemBitmap(112, 112, light, dark)};
                };
                image.NormalImage = bitmap(0x9FC5FF, 0x1F3F8F);
                image.MouseOverImage = bitmap(0xCFE3FF, 0x3F6FBF);
                auto& list = std::get<kinds::ListBox>(CreateObject(page, 20, 220, 80).Properties);
                list.Items.resize(2);
                list.Items[0].Caption = "Release notes";
                list.Items[0].Command.ActionKind = ActionKindOf(ActionCode::OpenRunFile);
                list.Items[0].Command.Target = "\\docs\\notes.txt";
                list.Items[1].Caption = "Web site";
            }),
        SamplePage(entries[2], "Products",
                   [](TPage& page) {
                       auto& text = std::get<kinds::Text>(CreateObject(page, 6, 24, 70).Properties);
                       text.Lines = JoinTextLines({"Carvelle Designer", "Carvelle Player"});
                   }),
        SamplePage(entries[3], "Support",
                   [](TPage& page) {
                       auto& box =
                           std::get<kinds::TextBox>(CreateObject(page, 8, 24, 70).Properties);
                       box.Text = JoinTextLines({"Write to support@example.invalid."});
                   }),
        SamplePage(entries[4], "Goodbye", [](TPage& page) { page.StayTime = 2; }),
    };
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
    ProjectHeader header = SampleHeader();
    const std::vector<TPage> pages = SamplePages(header);
    for (const TPage& page : pages) {
        if (!WritePageFile(sourceFolder + "\\" + page.PageName + ".pg", page)) {
            return false;
        }
    }
    const auto save = [&](const std::string& relative, const std::vector<std::uint8_t>& bytes) {
        const auto path = ToNativePath(folder + relative);
        std::filesystem::create_directories(path.parent_path(), ec);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    };
    const std::string notes = "Carvelle Sample CD\r\nRelease notes.\r\n";
    if (!save("\\sounds\\click.wav", SampleClickSound()) ||
        !save("\\docs\\notes.txt", std::vector<std::uint8_t>(notes.begin(), notes.end()))) {
        ReportFileError(ErrorCode::ProjectFileWrite, ToNativePath(folder).string(), errno);
        return false;
    }
    // The target file first, so the source file keeps the positions it left.
    return WriteTargetFile(folder, header,
                           [&](Stream& stream, std::size_t index) {
                               return WritePage(stream, pages[index]);
                           }) &&
           WriteProjectFile(sourceFolder + "\\" + kSourceFileName, header);
}

} // namespace carvelle
