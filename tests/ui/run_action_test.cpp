#include "actions/action_codes.h"
#include "actions/encoded_targets.h"
#include "common/error_report.h"
#include "platform/shell.h"
#include "ui/common/error_box.h"
#include "ui/common/sound_player.h"
#include "ui/player/auto_run_form.h"
#include "ui/player/run_action.h"
#include "ui_test_support.h"

#include <QApplication>

namespace carvelle::ui {
namespace {

namespace fs = std::filesystem;

class RunActionTest : public test::SeamTest {
protected:
    QTemporaryDir dir;
    ProjectSession session;
    RecordingShell shell;
    ErrorBoxReporter errorBox;
    ScopedErrorReporter scopedErrors{errorBox};
    std::vector<QString> sounds;
    std::unique_ptr<TAutoRunForm> window;

    void SetUp() override {
        test::SeamTest::SetUp();
        SetShell(&shell);
        SoundPlayer::SetRecorder([this](const QString& file) { sounds.push_back(file); });
        session.ProjectFolder = dir.path().toStdString();
        window = std::make_unique<TAutoRunForm>(session);
        window->show();
    }
    void TearDown() override {
        window.reset();
        SoundPlayer::SetRecorder(nullptr);
        SetShell(nullptr);
        test::SeamTest::TearDown();
    }
    std::string Native(const std::string& relative) const {
        return (fs::path(session.ProjectFolder) / relative).string();
    }
    static TCommand Action(ActionCode code, const std::string& target, bool close = false) {
        TCommand command;
        command.ActionKind = ActionKindOf(code);
        command.Target = target;
        command.Parameters = "-p";
        command.CloseAfterAction = close;
        return command;
    }
};

TEST_F(RunActionTest, ShellActionsPassTheirResolvedTargets) {
    test::WriteBytes(fs::path(session.ProjectFolder) / "docs" / "a.pdf", "%PDF");
    struct Case {
        ActionCode code;
        std::string target;
        ShellRequest expected;
    };
    const std::vector<Case> cases{
        {ActionCode::OpenRunFile,
         "docs\\a.pdf",
         {"open", Native("docs/a.pdf"), "-p", session.ProjectFolder, 1, false}},
        {ActionCode::VisitWebsite,
         "http://example.invalid/",
         {"open", "http://example.invalid/", "", "", 1, false}},
        {ActionCode::SendEmail,
         "info@example.invalid",
         {"open", "mailto:info@example.invalid", "-p", "", 1, false}},
        {ActionCode::PrintDocument,
         "\\docs\\a.pdf",
         {"print", Native("docs/a.pdf"), "-p", "", 1, false}},
        {ActionCode::BrowseFolder, "", {"explore", session.ProjectFolder, "-p", "", 1, false}},
    };
    for (const Case& c : cases) {
        shell.requests.clear();
        EXPECT_TRUE(RunAction(*window, Action(c.code, c.target)));
        ASSERT_EQ(shell.requests.size(), 1u);
        EXPECT_EQ(shell.requests[0], c.expected) << int(c.code) << " " << shell.requests[0].File;
    }
    EXPECT_TRUE(MessageSeam::Shown().empty());
}

TEST_F(RunActionTest, ShellFailuresShowTheirTextAndEmailItsOwn) {
    shell.result = ShellResult::NoAssociation;
    EXPECT_FALSE(RunAction(*window, Action(ActionCode::OpenRunFile, "x.doc", true)));
    EXPECT_FALSE(RunAction(*window, Action(ActionCode::SendEmail, "a@b.invalid", true)));
    ASSERT_EQ(MessageSeam::Shown().size(), 2u);
    EXPECT_EQ(MessageSeam::Shown()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(
        MessageSeam::Shown()[0].text,
        QStringLiteral("There is no application associated with the given filename extension."));
    EXPECT_EQ(MessageSeam::Shown()[1].text,
              QStringLiteral("Default email program not found on your system."));
    EXPECT_TRUE(window->isVisible()) << "a failed action does not close the page";
}

TEST_F(RunActionTest, CloseAfterOnlyForTheKindsThatAllowIt) {
    EXPECT_TRUE(RunAction(*window, Action(ActionCode::StopSound, "", true)));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(RunAction(*window, Action(ActionCode::VisitWebsite, "www.example.invalid", true)));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(RunActionTest, SoundsAndMessages) {
    test::WriteBytes(fs::path(session.ProjectFolder) / "sounds" / "hello.wav", "RIFF");
    EXPECT_TRUE(RunAction(*window, Action(ActionCode::PlaySound, "sounds\\hello.wav")));
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_TRUE(sounds[0].endsWith(QStringLiteral("sounds/hello.wav")));
    EXPECT_FALSE(RunAction(*window, Action(ActionCode::PlaySound, "missing.wav")));
    ASSERT_EQ(MessageSeam::Shown().size(), 1u);
    EXPECT_EQ(MessageSeam::Shown()[0].text, QStringLiteral("The specified file was not found."));

    QApplication::setApplicationDisplayName(QStringLiteral("Demo CD"));
    EXPECT_TRUE(RunAction(*window, Action(ActionCode::ShowMessage, "Insert disc 2")));
    ASSERT_EQ(MessageSeam::Shown().size(), 2u);
    EXPECT_EQ(MessageSeam::Shown()[1].caption, QStringLiteral("Demo CD"));
    EXPECT_EQ(MessageSeam::Shown()[1].text, QStringLiteral("Insert disc 2"));
    EXPECT_EQ(MessageSeam::Shown()[1].icon, MessageIcon::Information);
}

TEST_F(RunActionTest, FileListsRunEveryEntryAndGroupsRunEveryRecord) {
    shell.result = ShellResult::FileNotFound;
    const std::string list =
        BuildFileList({{"\\setup.exe", "/q", "", true}, {"b.txt", "", "docs", false}});
    EXPECT_FALSE(RunAction(*window, Action(ActionCode::OpenRunFile, list, true)));
    ASSERT_EQ(shell.requests.size(), 2u) << "a failing entry does not stop the later ones";
    EXPECT_EQ(shell.requests[0],
              (ShellRequest{"open", Native("setup.exe"), "/q", session.ProjectFolder, 1, true}));
    EXPECT_EQ(shell.requests[1],
              (ShellRequest{"open", Native("b.txt"), "", Native("docs"), 1, false}));
    EXPECT_EQ(MessageSeam::Shown().size(), 2u);
    EXPECT_TRUE(window->isVisible());

    shell.requests.clear();
    shell.result = ShellResult::Success;
    const std::string group = BuildActionList({{"2", "1", "www.example.invalid", "", "", false},
                                               {"x", "1", "", "", "", false},
                                               {"2", "1", "never.invalid", "", "", false}});
    EXPECT_FALSE(RunAction(*window, Action(ActionCode::ActionGroup, group)));
    ASSERT_EQ(shell.requests.size(), 1u) << "a record that is not a number ends the group";
    EXPECT_EQ(shell.requests[0].File, "www.example.invalid");
}

TEST_F(RunActionTest, PagesAreNotShownWhileTheDesignerEdits) {
    session.DesignerMode = true;
    EXPECT_FALSE(RunAction(*window, Action(ActionCode::ShowSubPage, "Other")));
    EXPECT_FALSE(RunAction(*window, Action(ActionCode::GotoPage, "Other")));
    ASSERT_EQ(MessageSeam::Shown().size(), 2u);
    EXPECT_EQ(MessageSeam::Shown()[0].caption, QStringLiteral("Click action"));
    EXPECT_EQ(MessageSeam::Shown()[0].text,
              QStringLiteral("The page can not be shown at design time"));
    EXPECT_FALSE(window->GotoPending);
}

} // namespace
} // namespace carvelle::ui
