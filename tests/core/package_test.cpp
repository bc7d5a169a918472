#include "common/primitives.h"
#include "project/open_project.h"
#include "project/package.h"
#include "project/page_locator.h"
#include "project/project_file.h"
#include "test_support.h"

#include <set>

namespace carvelle {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Concat;
using test::StringBytes;

class PackageTest : public test::RecordingTest {
protected:
    // Every path below the folder, with file contents, for comparing trees.
    static std::set<std::string> TreeOf(const fs::path& root) {
        std::set<std::string> entries;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const std::string relative = fs::relative(entry.path(), root).string();
            entries.insert(entry.is_directory() ? relative + "/"
                                                : relative + "=" + test::ReadFile(entry.path()));
        }
        return entries;
    }

    // Unpacks the tree bytes into a fresh folder below `dir`.
    bool Extract(const std::vector<std::uint8_t>& tree, const fs::path& destination) {
        MemoryStream stream(tree);
        fs::create_directories(destination);
        return ExtractTree(stream, destination, cleanup, "package.exe");
    }

    CleanupList cleanup;
};

TEST_F(PackageTest, TreeRoundTripsAndLeavesOutSourcesAndThePlayer) {
    test::TempDir dir;
    const fs::path project = dir.Path() / "project";
    test::WriteFile(project / "autorun.tgt", "target");
    test::WriteFile(project / ".hidden", "h");
    test::WriteFile(project / "docs" / "manual.pdf", std::string(300000, 'x'));
    test::WriteFile(project / "docs" / "deep" / "a.txt", "");
    fs::create_directories(project / "empty");
    test::WriteFile(project / "AutoRunSource" / "AutoRun.src", "source");
    test::WriteFile(project / "autorunsource" / "kept.txt", "other case");
    test::WriteFile(project / "autorun.exe", "player");
    test::WriteFile(project / "docs" / "autorun.exe", "nested player");
    test::WriteFile(project / "Autorun.EXE", "other case player");

    MemoryStream stream;
    ASSERT_TRUE(WriteTree(stream, project));
    ASSERT_TRUE(Extract(stream.Bytes(), dir.Path() / "out"));

    auto expected = TreeOf(project);
    for (const std::string gone : {"AutoRunSource/", "AutoRunSource/AutoRun.src=source",
                                   "autorun.exe=player", "docs/autorun.exe=nested player"}) {
        ASSERT_EQ(expected.erase(gone), 1u) << gone;
    }
    EXPECT_EQ(TreeOf(dir.Path() / "out"), expected);
    ExpectNoReport();

    // Folders are listed before the files they hold, so the reverse walk empties them first.
    cleanup.RemoveAll();
    EXPECT_TRUE(fs::is_empty(dir.Path() / "out"));
}

TEST_F(PackageTest, PackageCarriesThePlayerOnceAndEndsWithItsSize) {
    test::TempDir dir;
    test::WriteFile(dir.Path() / "player", std::string(1000, 'P'));
    test::WriteFile(dir.Path() / "project" / "autorun.tgt", "T");
    test::WriteFile(dir.Path() / "project" / "autorun.exe", "older player");
    ASSERT_TRUE(WritePackage(dir.Path() / "player", dir.Path() / "project", dir.Path() / "cd.exe"));
    const std::string package = test::ReadFile(dir.Path() / "cd.exe");
    EXPECT_EQ(package.substr(0, 1000), std::string(1000, 'P'));
    EXPECT_EQ(package.substr(package.size() - 4), std::string("\xE8\x03\x00\x00", 4));
    EXPECT_EQ(package.find("older player"), std::string::npos);

    FileStream file;
    ASSERT_TRUE(file.Open(dir.Path() / "cd.exe", FileStream::Mode::Read));
    std::uint64_t offset = 0;
    ASSERT_TRUE(ReadPackageOffset(file, offset));
    EXPECT_EQ(offset, 1000u);
    EXPECT_TRUE(ExtractTree(file, dir.Path() / "project", cleanup, "cd.exe"));
}

TEST_F(PackageTest, UnreadableFileIsReportedAndNoOutputIsLeft) {
    test::TempDir dir;
    test::WriteFile(dir.Path() / "player", "P");
    test::WriteFile(dir.Path() / "project" / "autorun.tgt", "T");
    EXPECT_FALSE(
        WritePackage(dir.Path() / "missing-player", dir.Path() / "project", dir.Path() / "cd.exe"));
    ExpectOneReport("/1083).");
    EXPECT_FALSE(fs::exists(dir.Path() / "cd.exe"));
    EXPECT_FALSE(
        WritePackage(dir.Path() / "player", dir.Path() / "no-project", dir.Path() / "cd.exe"));
    ExpectOneReport("/1083).");
    EXPECT_FALSE(fs::exists(dir.Path() / "cd.exe"));
}

// Hostile or damaged trees: each must fail with one report and write nothing outside.
TEST_F(PackageTest, HostileTreesAreRefusedWithoutWritingOutside) {
    const auto noFolders = Bytes({0, 0, 0, 0});
    const auto file = [](const std::string& name, const std::string& content) {
        return Concat({StringBytes(name), Bytes({static_cast<int>(content.size()), 0, 0, 0}),
                       std::vector<std::uint8_t>(content.begin(), content.end())});
    };
    struct Case {
        const char* what;
        std::vector<std::uint8_t> tree;
        const char* code;
    };
    const std::vector<Case> cases{
        {"parent folder", Concat({noFolders, Bytes({1, 0, 0, 0}), file("..", "x")}), "/1070)."},
        {"traversal", Concat({noFolders, Bytes({1, 0, 0, 0}), file("../escaped", "x")}), "/1070)."},
        {"backslash", Concat({noFolders, Bytes({1, 0, 0, 0}), file("..\\escaped", "x")}),
         "/1070)."},
        {"absolute", Concat({noFolders, Bytes({1, 0, 0, 0}), file("/tmp/escaped", "x")}),
         "/1070)."},
        {"drive", Concat({noFolders, Bytes({1, 0, 0, 0}), file("C:escaped", "x")}), "/1070)."},
        {"folder traversal",
         Concat({Bytes({1, 0, 0, 0}), StringBytes(".."), noFolders, noFolders, noFolders}),
         "/1070)."},
        {"huge folder count", Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}), "/1070)."},
        {"huge file count", Concat({noFolders, Bytes({0xFF, 0xFF, 0xFF, 0x7F})}), "/1070)."},
        {"negative count", Concat({noFolders, Bytes({0xFF, 0xFF, 0xFF, 0xFF})}), "/1070)."},
        {"huge name",
         Concat({noFolders, Bytes({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0, 0, 0, 0})}),
         "/1070)."},
        {"huge size",
         Concat({noFolders, Bytes({1, 0, 0, 0}), StringBytes("a"),
                 Bytes({0xFF, 0xFF, 0xFF, 0x7F, 1})}),
         "/1070)."},
        {"truncated", Concat({noFolders, Bytes({2, 0, 0, 0}), file("a", "abc")}), "/1070)."},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        EXPECT_FALSE(Extract(c.tree, dir.Path() / "a" / "b")) << c.what;
        ExpectOneReport(c.code);
        for (const auto& entry : fs::recursive_directory_iterator(dir.Path())) {
            const std::string relative = fs::relative(entry.path(), dir.Path()).string();
            EXPECT_TRUE(relative == "a" || relative.starts_with("a/b"))
                << c.what << ": " << relative;
        }
        EXPECT_FALSE(fs::exists(dir.Path() / "a" / "escaped")) << c.what;
        EXPECT_FALSE(fs::exists("/tmp/escaped")) << c.what;
    }
}

TEST_F(PackageTest, DeeplyNestedTreeIsRefused) {
    std::vector<std::uint8_t> tree;
    for (int i = 0; i < 500; ++i) {
        tree = Concat({tree, Bytes({1, 0, 0, 0}), StringBytes("d")});
    }
    tree.resize(tree.size() + 500 * 8, 0);
    test::TempDir dir;
    EXPECT_FALSE(Extract(tree, dir.Path() / "out"));
    ExpectOneReport("/1070).");
}

class OpenProjectTest : public test::RecordingTest {
protected:
    test::TempDir dir;

    std::string Folder(const std::string& name) {
        fs::create_directories(dir.Path() / name);
        return (dir.Path() / name).string();
    }
    void WriteTarget(const fs::path& folder, const std::string& title) {
        ProjectHeader header;
        header.Settings.Title = title;
        header.Pages = {{"Main", 2, 0, "", false}};
        MemoryStream stream;
        ASSERT_TRUE(WriteProjectHeader(stream, header));
        WriteByte(stream, 0);
        test::WriteFile(folder / "autorun.tgt",
                        std::string(stream.Bytes().begin(), stream.Bytes().end()));
    }
};

TEST_F(OpenProjectTest, SourceFilesWinOverTheTargetWhichWinsOverThePackage) {
    const std::string project = Folder("cd");
    EXPECT_EQ(ChooseProjectSource(project), ProjectSource::Package);
    WriteTarget(project, "from target");
    EXPECT_EQ(ChooseProjectSource(project), ProjectSource::TargetFile);
    ProjectHeader header;
    header.Settings.Title = "from source";
    fs::create_directories(fs::path(project) / "AutoRunSource");
    ASSERT_TRUE(WriteProjectFile(project + "\\AutoRunSource\\AutoRun.src", header));
    EXPECT_EQ(ChooseProjectSource(project), ProjectSource::SourceFiles);

    ProjectSession session;
    session.ProjectFolder = project;
    session.Source = ChooseProjectSource(project);
    ASSERT_TRUE(OpenProject(session, "", dir.String()));
    EXPECT_EQ(session.Project.Settings.Title, "from source");
}

TEST_F(OpenProjectTest, TargetFileFoundWhateverTheLetterCase) {
    const std::string project = Folder("cd");
    WriteTarget(project, "upper");
    fs::rename(fs::path(project) / "autorun.tgt", fs::path(project) / "AUTORUN.TGT");
    ProjectSession session;
    session.ProjectFolder = project;
    session.Source = ChooseProjectSource(project);
    ASSERT_EQ(session.Source, ProjectSource::TargetFile);
    ASSERT_TRUE(OpenProject(session, "", dir.String()));
    EXPECT_EQ(session.Project.Settings.Title, "upper");
}

TEST_F(OpenProjectTest, PackageUnpacksIntoTheNextFreeFolderAndCleansUp) {
    const fs::path project = Folder("project");
    WriteTarget(project, "packaged");
    test::WriteFile(project / "docs" / "a.pdf", "pdf");
    test::WriteFile(dir.Path() / "player", "PLAYER");
    const fs::path exe = dir.Path() / "cd.exe";
    ASSERT_TRUE(WritePackage(dir.Path() / "player", project, exe));
    fs::permissions(exe, fs::perms::owner_read); // as if on a CD
    const std::string temp = Folder("tmp");
    fs::create_directories(fs::path(temp) / "Carvelle0"); // left over by an earlier run

    ProjectSession session;
    session.ProjectFolder = dir.String();
    session.Source = ProjectSource::Package;
    ASSERT_TRUE(OpenProject(session, exe.string(), temp));
    ExpectNoReport();
    EXPECT_EQ(session.Source, ProjectSource::TargetFile);
    EXPECT_EQ(session.ProjectFolder, (fs::path(temp) / "Carvelle1").string());
    EXPECT_EQ(session.Project.Settings.Title, "packaged");
    EXPECT_EQ(test::ReadFile(fs::path(session.ProjectFolder) / "docs" / "a.pdf"), "pdf");
    EXPECT_EQ(test::ReadFile(fs::path(session.ProjectFolder) / "autorun.exe"), test::ReadFile(exe));

    session.Cleanup.RemoveAll();
    EXPECT_FALSE(fs::exists(fs::path(temp) / "Carvelle1"));
    EXPECT_TRUE(fs::exists(fs::path(temp) / "Carvelle0"));
}

TEST_F(OpenProjectTest, NothingToOpenFailsWithOneReport) {
    test::WriteFile(dir.Path() / "plain.exe", "no package here at all");
    ProjectSession session;
    session.ProjectFolder = Folder("cd");
    session.Source = ChooseProjectSource(session.ProjectFolder);
    EXPECT_FALSE(OpenProject(session, (dir.Path() / "plain.exe").string(), Folder("tmp")));
    ExpectOneReport("/1070).");
    // What was created is listed, so the exit walk removes it.
    session.Cleanup.RemoveAll();
    EXPECT_TRUE(fs::is_empty(dir.Path() / "tmp"));

    session.Source = ProjectSource::TargetFile;
    EXPECT_FALSE(OpenProject(session, "", Folder("tmp")));
    ExpectOneReport("/1070).");
}

TEST_F(OpenProjectTest, UncreatableExtractionFolderReports1068) {
    ProjectSession session;
    session.Source = ProjectSource::Package;
    EXPECT_FALSE(
        OpenProject(session, "/nonexistent/x.exe", (dir.Path() / "missing" / "deeper").string()));
    ExpectOneReport("/1068).");
}

} // namespace
} // namespace carvelle

namespace carvelle {
namespace {

// The first fields of a page: icons, style, width, caption, hint, position, state,
// transparent colour and flag, icon.
std::vector<std::uint8_t> PageStart(const std::string& caption) {
    return Concat({Bytes({1, 2, 0, 0, 0, 0}), StringBytes(caption), StringBytes("hint"),
                   Bytes({4, 0, 0, 0, 0, 0, 0}), StringBytes("TIcon"), Bytes({2, 0, 0, 0, 7, 8}),
                   Bytes({0xEE, 0xEE})});
}

class PageTitleTest : public test::RecordingTest {};

TEST_F(PageTitleTest, TitlesComeFromPageFilesOrFromTheTargetAtEachPosition) {
    test::TempDir dir;
    ProjectSession session;
    session.ProjectFolder = dir.String();
    session.Project.Pages = {{"Intro", 0, 0, "", false}, {"Main", 2, 0, "", false}};
    const auto intro = PageStart("Welcome");
    const auto main = PageStart("Main menu");
    test::WriteFile(dir.Path() / "AutoRunSource" / "Intro.pg",
                    std::string(intro.begin(), intro.end()));
    test::WriteFile(dir.Path() / "AutoRunSource" / "Main.pg",
                    std::string(main.begin(), main.end()));

    std::string caption;
    Picture icon;
    session.Source = ProjectSource::SourceFiles;
    ASSERT_TRUE(ReadPageTitle(session, 1, caption, icon));
    EXPECT_EQ(caption, "Main menu");
    EXPECT_EQ(icon, (Picture{GraphicClass::Icon, {7, 8}}));

    session.Source = ProjectSource::TargetFile;
    const std::string target =
        "header" + std::string(intro.begin(), intro.end()) + std::string(main.begin(), main.end());
    test::WriteFile(dir.Path() / "autorun.tgt", target);
    session.Project.Pages[0].Position = 6;
    session.Project.Pages[1].Position = static_cast<std::int32_t>(6 + intro.size());
    ASSERT_TRUE(ReadPageTitle(session, 0, caption, icon));
    EXPECT_EQ(caption, "Welcome");
    ASSERT_TRUE(ReadPageTitle(session, 1, caption, icon));
    EXPECT_EQ(caption, "Main menu");
    ExpectNoReport();

    EXPECT_FALSE(ReadPageTitle(session, 2, caption, icon));
    ExpectNoReport();
    session.Project.Pages[1].Position = static_cast<std::int32_t>(target.size() - 3);
    EXPECT_FALSE(ReadPageTitle(session, 1, caption, icon));
    ExpectOneReport("/1073).");
    session.Source = ProjectSource::SourceFiles;
    session.Project.Pages[1].Name = "intro"; // a medium authored on Windows ignores case
    EXPECT_TRUE(ReadPageTitle(session, 1, caption, icon));
    EXPECT_EQ(caption, "Welcome");
}

} // namespace
} // namespace carvelle
