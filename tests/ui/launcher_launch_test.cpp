#include "launcher_ui_support.h"

#include "../platform/temp_environment.h"

#include "ui/launcher/launch_runner.h"
#include "ui/launcher/search_window.h"

#include "launcher/launch_target.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace carvelle::ui::test {
namespace {

namespace fs = std::filesystem;

class LauncherLaunchTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        AddFrame(menu, SolidFrame(20, 20, 0x808080));
    }
    // Opens the launcher with `target` as its main action and launches it.
    void LaunchMain(const std::string& target, const std::string& parameters = "",
                    std::int32_t show = 0) {
        menu.Actions[0].Target = target;
        menu.Actions[0].Parameters = parameters;
        menu.Actions[0].ShowMaximised = show;
        Open();
        shell.requests.clear();
        sound.played.clear();
        window->Launch(0, window.get());
    }
    std::string Native(const std::string& relative) const { return (mount / relative).string(); }
    void AddAlternative(const std::string& caption, const std::string& target) {
        launcher::MenuAction alternative;
        alternative.Caption = caption;
        alternative.Target = target;
        menu.Actions.push_back(alternative);
    }
};

TEST_F(LauncherLaunchTest, ProgramsFoldersAndAddressesReachTheShellRewrittenForTheMedium) {
    const std::string program = Native("menu/setup.sh");
    WriteBytes(program, "#!/bin/sh\n");
    fs::permissions(program, fs::perms::owner_all);
    fs::create_directories(mount / "docs");

    LaunchMain("%setup.sh", "/path=%CD%:\\data", 1);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0],
              (ShellRequest{"open", program, "/path=" + mount.string() + "\\data",
                            Native("menu") + "/", 3, false}));

    // A program on a Windows-authored medium is found whatever the letter case.
    LaunchMain("\\MENU\\Setup.SH", "my file.txt", 2);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].File, program);
    EXPECT_EQ(shell.requests[0].Parameters, "\"my file.txt\"");
    EXPECT_EQ(shell.requests[0].ShowCommand, 0);

    LaunchMain("/docs/");
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].Verb, "explore");
    EXPECT_EQ(shell.requests[0].File, Native("docs") + "/");

    for (const char* address : {"mailto:me@example.com", "http://example.org/a/b?q=1"}) {
        LaunchMain(address);
        ASSERT_EQ(shell.requests.size(), 1u);
        EXPECT_EQ(shell.requests[0], (ShellRequest{"open", address, "", "", 1, false}));
    }
}

TEST_F(LauncherLaunchTest, ADocumentGoesToTheProgramRegisteredForItsType) {
    testing::TempEnvironment env;
    const std::string viewer = testing::RegisterPdfViewer(env);
    WriteBytes(mount / "my docs" / "a.pdf", "%PDF-1.4\n");

    LaunchMain("\\my docs\\a.pdf", "dropped");
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(
        shell.requests[0],
        (ShellRequest{"open", viewer, "--view \"" + Native("my docs/a.pdf") + "\"", "", 1, false}));
}

TEST_F(LauncherLaunchTest, MessagesNoActionsAndEmptyTargetsNeedNoShell) {
    LaunchMain("$Line one\xB6Line two");
    ASSERT_EQ(MessageSeam::Shown().size(), 1u);
    EXPECT_EQ(MessageSeam::Shown()[0].text, QStringLiteral("Line one\nLine two"));
    EXPECT_EQ(MessageSeam::Shown()[0].caption, QStringLiteral("Avensa"));
    EXPECT_EQ(MessageSeam::Shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(sound.played, (std::vector<RecordingSound::Played>{{"built-in click", false}}));
    EXPECT_TRUE(window->ExitPending());

    LaunchMain("*");
    EXPECT_TRUE(sound.played.empty());
    EXPECT_TRUE(window->ExitPending());
    Beside("noaction.wav");
    LaunchMain("*");
    EXPECT_EQ(sound.played, (std::vector<RecordingSound::Played>{{"noaction.wav", true}}));

    LaunchMain("");
    EXPECT_EQ(sound.played, (std::vector<RecordingSound::Played>{{"built-in click", false}}));
    EXPECT_TRUE(window->ExitPending());
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_EQ(MessageSeam::Shown().size(), 1u);
}

TEST_F(LauncherLaunchTest, TheClickSoundIsTheMenusOwnFirstAndPlaysOncePerLaunch) {
    const struct {
        std::vector<const char*> files;
        const char* played;
    } cases[] = {
        {{"introc0.wav", "click0.wav", "click.wav"}, "introc0.wav"},
        {{"click0.wav", "click.wav", "introc1.wav"}, "click0.wav"},
        {{"click.wav", "click1.wav"}, "click.wav"},
    };
    for (const auto& c : cases) {
        for (const char* file : c.files) {
            Beside(file);
        }
        // A missing target is searched for after the click, which then does not play again.
        LaunchMain("C:\\old\\gone.qqq");
        EXPECT_EQ(sound.played, (std::vector<RecordingSound::Played>{{c.played, true}}));
        EXPECT_EQ(shell.requests.size(), 1u);
        for (const char* file : c.files) {
            fs::remove(exeFolder / file);
        }
    }
}

TEST_F(LauncherLaunchTest, ALaunchArrivingDuringAnotherIsIgnored) {
    Beside("click.wav");
    int nested = 0;
    sound.onPlay = [&] {
        ++nested;
        window->Launch(0, window.get()); // a timer tick while the click sound plays
    };
    LaunchMain("$Hello");
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(MessageSeam::Shown().size(), 1u);
    EXPECT_FALSE(window->Runner().Busy());
}

TEST_F(LauncherLaunchTest, FailuresAreReportedWithTheTargetAsStored) {
    const std::string target = "http://example.org/Gone";
    shell.result = ShellResult::FileNotFound;
    const struct {
        const char* errTxt; // nullptr: no file
        bool shown;
    } options[] = {{nullptr, true},   {"False\r\nTrue\r\n", false},
                   {"0\n", false},    {"TRUE\n", true},
                   {"maybe\n", true}, {"\n", true}};
    for (const auto& option : options) {
        fs::remove(exeFolder / "err.txt");
        if (option.errTxt) {
            Beside("err.txt", option.errTxt);
        }
        MessageSeam::BeginRecording();
        LaunchMain(target);
        EXPECT_TRUE(window->ExitPending());
        if (option.shown) {
            EXPECT_EQ(
                Texts(),
                std::vector<std::string>{"Avensa cannot find the specified file:\n\n" + target})
                << (option.errTxt ? option.errTxt : "none");
        } else {
            EXPECT_TRUE(Texts().empty()) << option.errTxt;
        }
    }

    fs::remove(exeFolder / "err.txt");
    for (int code : {ShellResult::AccessDenied, ShellResult::PathNotFound}) {
        MessageSeam::BeginRecording();
        shell.result = code;
        LaunchMain(target);
        EXPECT_TRUE(Texts().empty()) << code;
        EXPECT_TRUE(window->ExitPending());
    }

    MessageSeam::BeginRecording();
    shell.result = ShellResult::NoAssociation;
    LaunchMain(target);
    EXPECT_EQ(Texts(), std::vector<std::string>{"You do not appear to have a suitable viewer (or "
                                                "version) able to open the file:\n\n" +
                                                target});
    EXPECT_EQ(MessageSeam::Shown()[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(window->SecondaryWindowOpen());
}

TEST_F(LauncherLaunchTest, WithoutAProgramTheViewersWindowOffersTheAlternatives) {
    AddAlternative("Reader", "http://example.org/reader");
    shell.result = ShellResult::NoAssociation;
    LaunchMain("http://example.org/doc");
    EXPECT_TRUE(Texts().empty());
    ASSERT_TRUE(window->Viewers());
    EXPECT_TRUE(window->Viewers()->isVisible());
    EXPECT_TRUE(window->SecondaryWindowOpen());

    // An alternative that fails as well is reported, and the choice stays open.
    window->Launch(1, window->Viewers());
    EXPECT_EQ(Texts(), std::vector<std::string>{"You do not appear to have a suitable viewer (or "
                                                "version) able to open the file:\n\n"
                                                "http://example.org/reader"});
    EXPECT_TRUE(window->Viewers()->isVisible());
    window->ExitPollTick();
    EXPECT_EQ(terminated, 0);
}

TEST_F(LauncherLaunchTest, CloseAfterLaunchEndsTheProgramWithOneExitSound) {
    menu.Actions[0].CloseAfterLaunch = 1;
    LaunchMain("http://example.org/");
    EXPECT_EQ(shell.requests.size(), 1u);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(terminated, 1);
    EXPECT_EQ(window->ExitPoll().interval(), 200);
    window.reset();
    EXPECT_EQ(std::count(sound.played.begin(), sound.played.end(),
                         RecordingSound::Played{"built-in exit", true}),
              1);
}

TEST_F(LauncherLaunchTest, AMissingTargetIsLookedForOnTheMedium) {
    const struct {
        const char* placed;
        const char* found;
    } cases[] = {
        {"menu/readme.qqq", "menu/readme.qqq"},           // beside the launcher
        {"old/README.QQQ", "old/README.QQQ"},             // the same folder on this medium
        {"menu/sub/readme.qqq", "menu/sub/readme.qqq"},   // under the launcher's folder
        {"deep/down/readme.qqq", "deep/down/readme.qqq"}, // anywhere on the medium
    };
    for (const auto& c : cases) {
        WriteBytes(mount / c.placed, "text");
        LaunchMain("C:\\old\\readme.qqq");
        ASSERT_EQ(shell.requests.size(), 1u) << c.placed;
        EXPECT_EQ(shell.requests[0].File, Native(c.found));
        fs::remove(mount / c.placed);
    }
    // Found nowhere: the target as it was, for the shell to report.
    LaunchMain("C:\\old\\readme.qqq");
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].File, "C:/old/readme.qqq");
    EXPECT_FALSE(window->Runner().SearchCancelled());
}

TEST_F(LauncherLaunchTest, ALongDeepSearchShowsTheWaitWindowAndCanBeCancelled) {
    for (int i = 0; i < 30; ++i) {
        fs::create_directories(mount / ("f" + std::to_string(100 + i)));
    }
    AddAlternative("Reader", "http://example.org/reader");
    shell.result = ShellResult::NoAssociation;
    QString caption;
    QString folderShown;
    int foldersBeforeCancel = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* wait = qobject_cast<avensa::SearchWindow*>(top);
            if (!wait || !wait->isVisible()) {
                continue;
            }
            auto* cancel = wait->findChild<QPushButton*>(QStringLiteral("Command1"));
            if (!cancel->isEnabled()) {
                continue;
            }
            caption = wait->windowTitle();
            folderShown = wait->findChild<QLabel*>(QStringLiteral("lblDir"))->toolTip();
            ++foldersBeforeCancel;
            if (foldersBeforeCancel == 3) {
                QTest::mouseClick(cancel, Qt::LeftButton);
                EXPECT_EQ(cancel->text(), QStringLiteral("Wait..."));
                EXPECT_FALSE(cancel->isEnabled());
            }
        }
    });
    watch.start(0);
    LaunchMain("C:\\old\\gone.qqq");
    watch.stop();

    EXPECT_EQ(caption, QStringLiteral(" Target not found... searching:"));
    EXPECT_TRUE(folderShown.startsWith(QString::fromStdString(mount.string())))
        << folderShown.toStdString();
    EXPECT_EQ(window->Runner().WaitWindow(), nullptr);
    EXPECT_TRUE(window->Runner().SearchCancelled());
    // The bare name is tried as it is.
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].File, "gone.qqq");

    // No search since the cancelled one: Install does not ask about the original again.
    ASSERT_TRUE(window->Viewers() && window->Viewers()->isVisible());
    auto* list = window->Viewers()->findChild<QListWidget*>(QStringLiteral("List1"));
    list->setCurrentRow(0);
    QTest::mouseClick(window->Viewers()->findChild<QPushButton*>(QStringLiteral("Command2")),
                      Qt::LeftButton);
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[1].File, "http://example.org/reader");
    for (const std::string& text : Texts()) {
        EXPECT_EQ(text.find("Click OK"), std::string::npos);
    }
}

} // namespace
} // namespace carvelle::ui::test
