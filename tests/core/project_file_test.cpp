#include "common/error_codes.h"
#include "common/primitives.h"
#include "project/project_file.h"
#include "project/target_file.h"
#include "test_support.h"

namespace carvelle {
namespace {

using test::Bytes;
using test::Concat;
using test::StringBytes;

class ProjectFileTest : public test::RecordingTest {};

ProjectHeader SampleHeader() {
    ProjectHeader header;
    TSettings& s = header.Settings;
    s.Title = "Demo CD";
    s.Style = 1;
    s.TabSheets = JoinTextLines({"Products", "Support"});
    s.TabFont.Name = "Tahoma";
    s.ShowSheetIcons = true;
    s.IconSize = 24;
    s.Hint.UseCustomizedHint = true;
    s.Hint.Direction = 2;
    s.Hint.BackStyle = 4;
    s.Hint.BackImage = {GraphicClass::Bitmap, {'B', 'M'}};
    s.RequireAdministrator = true;
    for (std::size_t i = 0; i < s.ReservedBytes.size(); ++i) {
        s.ReservedBytes[i] = static_cast<std::uint8_t>(0xA0 + i);
    }
    s.ReservedText1 = "kept 1";
    s.ReservedText2 = "kept 2";
    TInstallWare installer;
    installer.Executable = "\\setup\\reader.exe";
    installer.Parameters = "/quiet";
    installer.When = InstallWhen::NoViewer;
    installer.FileType = ".pdf (Adobe Acrobat Document)";
    installer.ReservedText = "x";
    installer.ReservedValue = 7;
    installer.Prompt = true;
    installer.PromptMessage = "Install the reader?";
    installer.AllowSkip = true;
    s.Installers = {installer, TInstallWare{}};
    header.Pages = {{"Intro", 0, 0, "Intro", false},
                    {"Main", 2, 0, "Main", false},
                    {"Products", 3, 0, "Products", false}};
    header.TrailingByte = 0x5A;
    return header;
}

std::vector<std::uint8_t> HeaderBytes(const ProjectHeader& header) {
    MemoryStream stream;
    EXPECT_TRUE(WriteProjectHeader(stream, header));
    return stream.Bytes();
}

TEST_F(ProjectFileTest, HeaderRoundTripsEveryFieldAndKeepsReservedOnes) {
    const ProjectHeader header = SampleHeader();
    const auto bytes = HeaderBytes(header);
    MemoryStream stream(bytes);
    ProjectHeader back;
    ASSERT_TRUE(ReadProjectHeader(stream, back));
    EXPECT_EQ(stream.Remaining(), 0u);
    back.TrailingByte = header.TrailingByte;
    EXPECT_EQ(back, header);
    EXPECT_EQ(HeaderBytes(back), bytes);
    ExpectNoReport();
}

TEST_F(ProjectFileTest, InstallerEntryHasItsStoredLayout) {
    TInstallWare w;
    w.Executable = "\\a.exe";
    w.Wait = true;
    w.When = 1;
    w.Prompt = true;
    w.PromptCaption = "C";
    w.AllowSkip = true;
    MemoryStream stream;
    ASSERT_TRUE(WriteInstaller(stream, w));
    EXPECT_EQ(stream.Bytes(),
              Concat({StringBytes("\\a.exe"), StringBytes(""), StringBytes(""),
                      Bytes({1, 1, 0, 0, 0}), StringBytes(""), StringBytes(""),
                      Bytes({0, 0, 0, 0, 1}), StringBytes("C"), StringBytes(""), Bytes({1})}));
}

TEST_F(ProjectFileTest, OldFileWithoutSettingsReadsDefaultsAndWritesBackInNewForm) {
    // A page count where newer files have -1, then two entries and the trailing byte.
    const auto old =
        Concat({Bytes({2, 0, 0, 0}), StringBytes("Main"), Bytes({2, 0, 0, 0, 0, 0, 0, 0}),
                StringBytes("Sub"), Bytes({3, 0, 0, 0, 9, 0, 0, 0}), Bytes({0})});
    test::TempDir dir;
    test::WriteFile(dir.Path() / "AutoRun.src", std::string(old.begin(), old.end()));

    ProjectHeader header = SampleHeader();
    const auto installers = header.Settings.Installers;
    ASSERT_TRUE(ReadProjectFile(dir.String() + "\\AutoRun.src", header));
    EXPECT_EQ(header.Settings.Title, "");
    EXPECT_EQ(header.Settings.IconSize, 16);
    EXPECT_EQ(header.Settings.Hint.HintFont.Size, 10);
    EXPECT_EQ(header.Settings.AdministratorMessage,
              "You need the administrative privilege to launch this CD.");
    EXPECT_EQ(header.Settings.Installers, installers); // left as it was
    ASSERT_EQ(header.Pages.size(), 2u);
    EXPECT_EQ(header.Pages[1].Name, "Sub");
    EXPECT_EQ(header.Pages[1].SavedName, "Sub");
    EXPECT_EQ(header.Pages[1].Position, 9);

    ASSERT_TRUE(WriteProjectFile(dir.String() + "\\AutoRun.src", header));
    const std::string written = test::ReadFile(dir.Path() / "AutoRun.src");
    ASSERT_GE(written.size(), 4u);
    EXPECT_EQ(written.substr(0, 4), std::string(4, '\xFF'));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "AutoRun.src.new"));
    ExpectNoReport();
}

TEST_F(ProjectFileTest, DamagedHeadersFailWithOneReportFromTheRoutineThatDetectsIt) {
    const auto full = HeaderBytes(SampleHeader());
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        MemoryStream stream(std::vector<std::uint8_t>(
            full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut)));
        ProjectHeader header;
        EXPECT_FALSE(ReadProjectHeader(stream, header));
        ASSERT_EQ(reporter.reports.size(), 1u) << "cut at " << cut << ": " << Joined();
        reporter.reports.clear();
    }
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::string code;
    };
    const std::vector<Case> cases{
        {Bytes({0xFF, 0xFF, 0xFF, 0x7F}), "/1066)."},                // page count far too large
        {Bytes({0xFE, 0xFF, 0xFF, 0xFF}), "/1066)."},                // negative count
        {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1}), "/1063)."}, // settings cut in Style
        {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 1}), "/1054)."},             // cut in the title's count
        {Concat({Bytes({0xFF, 0xFF, 0xFF, 0xFF}), Bytes({9, 0, 0, 0, 'a'})}), "/1054)."},
    };
    for (const Case& c : cases) {
        MemoryStream stream(c.bytes);
        ProjectHeader header;
        EXPECT_FALSE(ReadProjectHeader(stream, header));
        ExpectOneReport(c.code);
    }
}

TEST_F(ProjectFileTest, WritersReportOnceWhereverTheDiskFills) {
    const ProjectHeader header = SampleHeader();
    const std::size_t size = HeaderBytes(header).size();
    for (std::size_t limit = 0; limit < size; limit += 7) {
        test::FailingStream stream(limit);
        EXPECT_FALSE(WriteProjectHeader(stream, header));
        ASSERT_EQ(reporter.reports.size(), 1u) << "limit " << limit << ": " << Joined();
        EXPECT_NE(reporter.reports[0].find("(Error Code: 28/"), std::string::npos);
        reporter.reports.clear();
    }
}

TEST_F(ProjectFileTest, MissingProjectFileNamesTheFile) {
    test::TempDir dir;
    ProjectHeader header;
    EXPECT_FALSE(ReadProjectFile(dir.String() + "\\AutoRun.src", header));
    ExpectOneReport("/1071).");
}

TEST_F(ProjectFileTest, FailedWriteKeepsTheOldFile) {
    test::TempDir dir;
    test::WriteFile(dir.Path() / "AutoRun.src", "old");
    // Something in the way of the new file makes the write fail.
    std::filesystem::create_directory(dir.Path() / "AutoRun.src.new");
    EXPECT_FALSE(WriteProjectFile(dir.String() + "\\AutoRun.src", SampleHeader()));
    ExpectOneReport("/1072).");
    EXPECT_EQ(test::ReadFile(dir.Path() / "AutoRun.src"), "old");
}

TEST_F(ProjectFileTest, TargetFilePlacesEachPageAndRewritesTheHeaderInPlace) {
    test::TempDir dir;
    ProjectHeader header = SampleHeader();
    const std::vector<std::string> pages{"first page", "second", "third page bytes"};
    ASSERT_TRUE(WriteTargetFile(dir.String(), header, [&](Stream& stream, std::size_t i) {
        stream.Write(pages[i].data(), pages[i].size());
        return true;
    }));
    const std::string file = test::ReadFile(dir.Path() / "autorun.tgt");
    const std::size_t headerSize = HeaderBytes(header).size();
    EXPECT_EQ(header.Pages[0].Position, static_cast<std::int32_t>(headerSize + 1));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(file.substr(static_cast<std::size_t>(header.Pages[i].Position), pages[i].size()),
                  pages[i]);
    }
    EXPECT_EQ(file.size(), static_cast<std::size_t>(header.Pages[2].Position) + pages[2].size());
    EXPECT_EQ(static_cast<std::uint8_t>(file[headerSize]), header.TrailingByte);

    MemoryStream stream(std::vector<std::uint8_t>(file.begin(), file.end()));
    ProjectHeader back;
    ASSERT_TRUE(ReadProjectHeader(stream, back));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(back.Pages[i].Position, header.Pages[i].Position);
    }
    ExpectNoReport();
}

TEST_F(ProjectFileTest, TargetFileFailureLeavesTheOldTargetInPlace) {
    test::TempDir dir;
    test::WriteFile(dir.Path() / "autorun.tgt", "previous");
    ProjectHeader header = SampleHeader();
    EXPECT_FALSE(WriteTargetFile(dir.String(), header, [&](Stream&, std::size_t i) {
        if (i == 1) {
            ReportError(ErrorCode::PageWrite);
            return false;
        }
        return true;
    }));
    ExpectOneReport("/1077).");
    EXPECT_EQ(test::ReadFile(dir.Path() / "autorun.tgt"), "previous");
}

} // namespace
} // namespace carvelle
