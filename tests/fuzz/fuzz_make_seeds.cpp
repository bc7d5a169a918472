// Writes the seed corpora with the project's own writers.
// Usage: fuzz_make_seeds <corpus-root>   (creates <root>/fuzz_project_header, ...)
#include "common/primitives.h"
#include "common/stream.h"
#include "designer/object_rules.h"
#include "launcher/menu_file.h"
#include "objects/page.h"
#include "project/cleanup_list.h"
#include "project/package.h"
#include "project/project_file.h"
#include "project/sample_project.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace carvelle;

[[noreturn]] void Die(const std::string& what) {
    std::fprintf(stderr, "fuzz_make_seeds: %s\n", what.c_str());
    std::exit(1);
}

void Save(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        Die("cannot write " + file.string());
    }
}

void SaveText(const fs::path& file, const std::string& text) {
    Save(file, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// Deterministic bytes, so regenerated seeds are identical.
std::string Noise(std::size_t size, std::uint32_t seed) {
    std::string out(size, '\0');
    for (char& c : out) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    return out;
}

std::vector<std::uint8_t> HeaderBytes(const ProjectHeader& header) {
    MemoryStream stream;
    if (!WriteProjectHeader(stream, header)) {
        Die("WriteProjectHeader failed");
    }
    WriteByte(stream, header.TrailingByte);
    return stream.Bytes();
}

// A seed the reader refuses would only exercise the first few bytes of the format.
void RequireReadable(const std::vector<std::uint8_t>& bytes) {
    MemoryStream stream(bytes);
    ProjectHeader header;
    if (!ReadProjectHeader(stream, header) || stream.Remaining() != 1) {
        Die("a header seed does not read back");
    }
}

TAutoFormInfo Page(const std::string& name, PageKind kind, std::int32_t position) {
    TAutoFormInfo page;
    page.Name = name;
    page.Kind = static_cast<std::int32_t>(kind);
    page.Position = position;
    return page;
}

void SaveHeader(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    RequireReadable(bytes);
    Save(file, bytes);
}

void HeaderSeeds(const fs::path& folder) {
    ProjectHeader plain;
    plain.Pages = {Page("Main", PageKind::MainPage, 0), Page("Help", PageKind::SubPage, 1)};
    SaveHeader(folder / "plain_header", HeaderBytes(plain));

    ProjectHeader full;
    TSettings& s = full.Settings;
    s.Title = "Demo CD";
    s.Style = 1;
    s.TabSheets = JoinTextLines({"Main", "Extras"});
    s.TabFont.Name = "Arial";
    s.TabFont.Style = FontStyle::Bold | FontStyle::Italic;
    s.ShowSheetIcons = true;
    s.IconSize = 32;
    s.Hint.UseCustomizedHint = true;
    s.Hint.Direction = 2;
    s.Hint.BackStyle = 2;
    const std::string png = "\x89PNG\r\n\x1a\n" + Noise(24, 7);
    s.Hint.BackImage.Class = GraphicClass::PNGObject;
    s.Hint.BackImage.Data.assign(png.begin(), png.end());
    s.RequireAdministrator = true;
    s.ReservedBytes[0] = 1;
    s.ReservedBytes[16] = 0xFF;
    s.ReservedText1 = "r1";
    TInstallWare runtime;
    runtime.Executable = "redist\\setup.exe";
    runtime.Parameters = "/quiet";
    runtime.Wait = true;
    runtime.When = InstallWhen::NoViewer;
    runtime.FileType = ".pdf";
    runtime.Prompt = true;
    runtime.PromptMessage = "Install the viewer?";
    runtime.AllowSkip = true;
    TInstallWare always;
    always.Executable = "tools\\check.exe";
    s.Installers = {runtime, always};
    full.Pages = {Page("Splash", PageKind::SplashScreen, 0), Page("Main", PageKind::MainPage, 1),
                  Page("Extras", PageKind::SubPage, 2), Page("Bye", PageKind::ExitForm, 3),
                  Page("Licence", PageKind::AgreementForm, 4)};
    full.TrailingByte = 1;
    SaveHeader(folder / "full_header", HeaderBytes(full));

    // An older file: the first Integer is the page count and no settings follow.
    MemoryStream old;
    WriteInt32(old, 2);
    for (const auto& page : plain.Pages) {
        if (!WriteString(old, page.Name)) {
            Die("WriteString failed");
        }
        WriteInt32(old, page.Kind);
        WriteInt32(old, page.Position);
    }
    WriteByte(old, 0);
    SaveHeader(folder / "old_form", old.Bytes());

    MemoryStream oldEmpty;
    WriteInt32(oldEmpty, 0);
    WriteByte(oldEmpty, 0);
    SaveHeader(folder / "old_form_empty", oldEmpty.Bytes());
}

std::vector<std::uint8_t> TreeBytes(const fs::path& folder) {
    MemoryStream stream;
    if (!WriteTree(stream, folder)) {
        Die("WriteTree failed for " + folder.string());
    }
    // Every seed must unpack cleanly, or it would only exercise the refusals.
    const fs::path check = folder.string() + ".check";
    fs::create_directories(check);
    MemoryStream input(stream.Bytes());
    CleanupList cleanup;
    if (!ExtractTree(input, check, cleanup, "seed") || input.Remaining() != 0) {
        Die("a tree seed does not unpack: " + folder.string());
    }
    return stream.Bytes();
}

void TreeSeeds(const fs::path& folder, const fs::path& work) {
    const fs::path empty = work / "empty";
    fs::create_directories(empty);
    Save(folder / "empty_tree", TreeBytes(empty));

    const fs::path flat = work / "flat";
    SaveText(flat / "readme.txt", "hello\r\n");
    SaveText(flat / "data.bin", Noise(300, 1));
    Save(folder / "flat_tree", TreeBytes(flat));

    const fs::path nested = work / "nested";
    SaveText(nested / "autorun.tgt", Noise(40, 2));
    SaveText(nested / "docs" / "manual.txt", "manual");
    SaveText(nested / "docs" / "deep" / "empty.txt", "");
    SaveText(nested / "media" / "clip name.dat", Noise(600, 3));
    SaveText(nested / "media" / "caf\xE9.txt", "8-bit name");
    fs::create_directories(nested / "empty folder");
    Save(folder / "nested_tree", TreeBytes(nested));

    // Folders nested exactly as deep as extraction allows; one more level is refused.
    fs::path chain = work / "chain";
    fs::path bottom = chain;
    for (int i = 0; i < 128; ++i) {
        bottom /= "d" + std::to_string(i);
    }
    SaveText(bottom / "leaf.txt", "leaf");
    Save(folder / "chain_tree", TreeBytes(chain));
}

std::vector<std::uint8_t> PageBytes(const TPage& page) {
    MemoryStream stream;
    if (!WritePage(stream, page)) {
        Die("WritePage failed");
    }
    return stream.Bytes();
}

// The sample's pages, and one page holding every kind with its defaults; each object alone
// seeds the object reader.
void PageSeeds(const fs::path& pages, const fs::path& objects, const fs::path& work) {
    const fs::path sample = work / "sample";
    if (!WriteSampleProject(sample.string())) {
        Die("the sample project could not be written");
    }
    for (const auto& entry : fs::directory_iterator(sample / "AutoRunSource")) {
        if (entry.path().extension() == ".pg") {
            fs::create_directories(pages);
            fs::copy_file(entry.path(), pages / entry.path().stem(),
                          fs::copy_options::overwrite_existing);
        }
    }
    TPage every;
    every.MainMenu.resize(1);
    every.MainMenu[0].Items.resize(1);
    every.StatusBar.Panels.resize(1);
    every.ToolBar.Buttons.resize(1);
    for (std::uint8_t kind = 0; kind < kKindCount; ++kind) {
        CreateObject(every, kind, kind, kind);
        MemoryStream one;
        if (!WriteObject(one, every.Objects.back())) {
            Die("WriteObject failed");
        }
        Save(objects / ("kind_" + std::to_string(kind)), one.Bytes());
    }
    Save(pages / "every_kind", PageBytes(every));
}

// A launcher with one small menu of two frames, as avensa-tool packs it.
void LauncherSeeds(const fs::path& folder) {
    launcher::Menu menu;
    menu.MenuName = "menu";
    menu.ShapeColourIndex = 12;
    menu.FrameInterval = 100;
    menu.Actions[0].Target = "%readme.txt";
    menu.Actions.push_back({"setup.exe", "/q", 0, 1, "Install"});
    for (int i = 0; i < 2; ++i) {
        launcher::Frame frame;
        frame.Width = 8;
        frame.Height = 6;
        frame.Pixels.assign(48, 0x00FF0000u >> (8 * i));
        menu.Frames.push_back(frame);
        menu.FrameRegions.push_back("00080006");
    }
    menu.FrameCount = 2;
    MemoryStream menuBytes;
    launcher::WriteMenu(menuBytes, menu);
    MemoryStream exe;
    const std::string stub = "launcher image";
    exe.Write(stub.data(), stub.size());
    launcher::WritePackage(exe, {{"menu", menuBytes.Bytes()}});
    Save(folder / "two_frames", exe.Bytes());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <corpus-root>\n");
        return 2;
    }
    const fs::path root = argv[1];
    const fs::path work =
        fs::temp_directory_path() / ("carvelle-seeds-" + std::to_string(getpid()));
    HeaderSeeds(root / "fuzz_project_header");
    TreeSeeds(root / "fuzz_package_extract", work);
    PageSeeds(root / "fuzz_page", root / "fuzz_object", work);
    LauncherSeeds(root / "fuzz_launcher_menu");
    std::error_code ignored;
    fs::remove_all(work, ignored);
    return 0;
}
