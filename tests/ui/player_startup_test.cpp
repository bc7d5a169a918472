#include "common/error_report.h"
#include "common/stream.h"
#include "project/package.h"
#include "project/project_file.h"
#include "ui/player/player_startup.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QTimer>

namespace carvelle::ui {
namespace {

namespace fs = std::filesystem;

class PlayerStartupTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    fs::path root{dir.path().toStdString()};
    fs::path temp = root / "tmp";
    fs::path exe = root / "cd" / "autorun.exe";
    std::vector<std::string> calls;
    RecordingErrorReporter reporter;
    ScopedErrorReporter scoped{reporter};

    void SetUp() override { fs::create_directories(temp); }

    // A single executable carrying a project with the given title and one installer.
    void MakePackage(const std::string& title) {
        const fs::path project = root / "project";
        ProjectHeader header;
        header.Settings.Title = title;
        header.Settings.Hint.UseCustomizedHint = true;
        header.Settings.Installers.resize(1);
        header.Pages = {{"Main", 2, 0, "Main", false}};
        MemoryStream stream;
        ASSERT_TRUE(WriteProjectHeader(stream, header));
        WriteByte(stream, 0);
        test::WriteBytes(project / "autorun.tgt",
                         std::string(stream.Bytes().begin(), stream.Bytes().end()));
        fs::copy_file(fs::path(CARVELLE_FIXTURES) / "images/multisize.ico",
                      project / "autorun.ico");
        test::WriteBytes(root / "player", "player bytes");
        fs::create_directories(exe.parent_path());
        ASSERT_TRUE(WritePackage(root / "player", project, exe));
    }

    PlayerStages RecordingStages(bool splashSucceeds = true) {
        PlayerStages stages;
        stages.installCustomHint = [this](const ProjectSession&) { calls.push_back("hint"); };
        stages.showSplashPages = [this, splashSucceeds](ProjectSession& s) {
            // Pages are read from the unpacked folder by then.
            calls.push_back(fs::exists(fs::path(s.ProjectFolder) / "autorun.tgt") ? "splash"
                                                                                  : "splash?");
            return splashSucceeds;
        };
        stages.runInstallers = [this](ProjectSession&, QWidget& owner) {
            calls.push_back(owner.isVisible() ? "installers" : "installers?");
        };
        stages.showBackgroundPages = [this](ProjectSession&) {
            calls.push_back("backgrounds");
            return true;
        };
        stages.createMainWindow = [this](ProjectSession&) {
            calls.push_back("main");
            auto window = std::make_unique<QWidget>();
            QTimer::singleShot(0, qApp, &QApplication::quit);
            return window;
        };
        return stages;
    }

    bool TempIsEmpty() const { return fs::is_empty(temp); }
};

TEST_F(PlayerStartupTest, PackageRunsEveryStageInOrderThenRemovesWhatItUnpacked) {
    MakePackage("Demo CD");
    ProjectSession session;
    PlayerStartup player(session, exe.string(), temp.string(), RecordingStages());
    EXPECT_EQ(player.Run(), 0);
    EXPECT_EQ(calls,
              (std::vector<std::string>{"hint", "splash", "installers", "backgrounds", "main"}));
    EXPECT_EQ(QApplication::applicationDisplayName(), QStringLiteral("Demo CD"));
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_TRUE(TempIsEmpty());
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(PlayerStartupTest, RefusedSplashEndsTheRunAndStillCleansUp) {
    MakePackage("Demo CD");
    ProjectSession session;
    PlayerStartup player(session, exe.string(), temp.string(), RecordingStages(false));
    EXPECT_EQ(player.Run(), 1);
    EXPECT_EQ(calls, (std::vector<std::string>{"hint", "splash"}));
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(PlayerStartupTest, NothingToPlayShowsOneErrorAndNoPage) {
    test::WriteBytes(exe, "an executable without a package");
    ProjectSession session;
    PlayerStartup player(session, exe.string(), temp.string(), RecordingStages());
    EXPECT_EQ(player.Run(), 1);
    EXPECT_TRUE(calls.empty());
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_NE(reporter.reports[0].find("/1070)."), std::string::npos) << reporter.reports[0];
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(PlayerStartupTest, SourceFilesBesideThePlayerAreReadInPlace) {
    ProjectHeader header;
    header.Settings.Title = "From sources";
    fs::create_directories(exe.parent_path() / "AutoRunSource");
    ASSERT_TRUE(
        WriteProjectFile((exe.parent_path() / "AutoRunSource").string() + "\\AutoRun.src", header));
    ProjectSession session;
    PlayerStartup player(session, exe.string(), temp.string(), {});
    ASSERT_TRUE(player.Open());
    EXPECT_EQ(session.Source, ProjectSource::SourceFiles);
    EXPECT_EQ(session.ProjectFolder, exe.parent_path().string());
    EXPECT_EQ(session.Project.Settings.Title, "From sources");
}

} // namespace
} // namespace carvelle::ui
