#include "launcher_ui_support.h"

#include "ui/launcher/about_window.h"
#include "ui/launcher/search_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace carvelle::ui::test {
namespace {

class LauncherViewersTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        AddFrame(menu, SolidFrame(20, 20, 0x808080));
        menu.ViewersCaption = "Choose a viewer";
        menu.ViewersText = "No program on this computer opens the caf\xE9 guide.";
        menu.Actions[0].Target = "http://example.org/guide";
        for (const auto& [caption, target] :
             std::vector<std::pair<std::string, std::string>>{{"Reader", "http://example.org/r"},
                                                              {"", "http://example.org/empty"},
                                                              {"Viewer", "http://example.org/v"}}) {
            launcher::MenuAction alternative;
            alternative.Caption = caption;
            alternative.Target = target;
            menu.Actions.push_back(alternative);
        }
        Open();
        shell.result = ShellResult::NoAssociation;
        window->Launch(0, window.get());
        shell.result = ShellResult::Success;
        shell.requests.clear();
        ASSERT_TRUE(window->Viewers() && window->Viewers()->isVisible());
        viewers = window->Viewers();
    }
    template <typename T> T* Child(const char* name) {
        T* child = viewers->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(child) << name;
        return child;
    }
    void ClickInstall() { QTest::mouseClick(Child<QPushButton>("Command2"), Qt::LeftButton); }

    QWidget* viewers = nullptr;
};

TEST_F(LauncherViewersTest, ShowsTheMenusTextsAndAlternatives) {
    EXPECT_EQ(viewers->windowTitle(), QStringLiteral("Choose a viewer"));
    EXPECT_EQ(Child<QLabel>("Label1")->text(),
              QStringLiteral("No program on this computer opens the caf\u00E9 guide."));
    EXPECT_EQ(Child<QLabel>("Label2")->text(),
              QStringLiteral("Please choose the option you would like to launch"));
    QListWidget* list = Child<QListWidget>("List1");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Reader"));
    EXPECT_EQ(list->item(1)->text(), QString()); // an empty caption still takes its line
    EXPECT_EQ(Child<QPushButton>("Command2")->text(), QStringLiteral("&Install"));
    EXPECT_EQ(Child<QPushButton>("Command1")->text(), QStringLiteral("&Close"));
    EXPECT_EQ(Child<QLabel>("Label3")->text(), QString());
    const QPoint centre = viewers->screen()->geometry().center();
    EXPECT_LE((viewers->frameGeometry().center() - centre).manhattanLength(), 8);
}

TEST_F(LauncherViewersTest, InstallLaunchesTheChoiceAndOffersTheOriginalAgain) {
    // Nothing chosen: a hint, then the question anyway; Cancel launches nothing.
    ClickInstall();
    ASSERT_EQ(MessageSeam::Shown().size(), 2u);
    EXPECT_EQ(Texts()[0], "Please choose a program to install first.");
    EXPECT_EQ(Texts()[1], "Click OK to try to open original document again.");
    EXPECT_EQ(MessageSeam::Shown()[1].caption, QStringLiteral("Open Original Target..."));
    EXPECT_EQ(MessageSeam::Shown()[1].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(shell.requests.empty());

    // The third line chosen: its target, then on OK the main action again.
    MessageSeam::BeginRecording();
    MessageSeam::QueueAnswer(MessageAnswer::Ok);
    Child<QListWidget>("List1")->setCurrentRow(2);
    ClickInstall();
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[0].File, "http://example.org/v");
    EXPECT_EQ(shell.requests[1].File, "http://example.org/guide");
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"Click OK to try to open original document again."});
}

TEST_F(LauncherViewersTest, CloseLetsTheProgramEndAndTheCloseBoxEndsItAtOnce) {
    window->DisplayClock().stop();
    window->SetExitPending();
    window->ExitPollTick();
    EXPECT_EQ(terminated, 0);
    QTest::mouseClick(Child<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_FALSE(viewers->isVisible());
    window->ExitPollTick();
    EXPECT_EQ(terminated, 1);

    // Shown again by the next failure, then closed through the window's own close box.
    shell.result = ShellResult::NoAssociation;
    window->Launch(0, window.get());
    ASSERT_TRUE(viewers->isVisible());
    viewers->close();
    EXPECT_EQ(terminated, 2);
}

TEST_F(LauncherViewersTest, TheAboutWindowShowsTheTitleOnItsGradient) {
    window->ShowAbout();
    avensa::AboutWindow* about = window->About();
    ASSERT_TRUE(about && about->isVisible());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
              QStringLiteral("Avensa"));
    auto* link = about->findChild<QLabel*>(QStringLiteral("Label5"));
    EXPECT_EQ(link->text(), QString::fromLatin1(avensa::kHomePage));
    EXPECT_TRUE(link->font().underline());

    auto* picture = about->findChild<QLabel*>(QStringLiteral("Picture2"));
    ASSERT_EQ(picture->size(), QSize(422, 234));
    const QImage pixels = picture->grab().toImage();
    // Row i of H has a = i / H: 252·(1−a) + 244·a red and so on, halves to even.
    const struct {
        int row;
        QRgb colour;
    } rows[] = {{0, qRgb(252, 252, 254)}, {117, qRgb(248, 248, 246)}, {233, qRgb(244, 243, 238)}};
    for (const auto& r : rows) {
        EXPECT_EQ(pixels.pixel(5, r.row) & 0xFFFFFF, r.colour & 0xFFFFFF) << r.row;
    }
    auto* badge = about->findChild<QLabel*>(QStringLiteral("Picture3"));
    EXPECT_EQ(badge->geometry(), QRect(422 - 97, 0, 97, 45));
}

TEST_F(LauncherViewersTest, TheAboutLinkOpensTheHomePageOrSaysWhereToGo) {
    window->ShowAbout();
    auto* link = window->About()->findChild<QLabel*>(QStringLiteral("Label5"));
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0], (ShellRequest{"open", avensa::kHomePage, "", "", 3, false}));
    EXPECT_TRUE(MessageSeam::Shown().empty());

    for (int failure : {ShellResult::FileNotFound, ShellResult::NoAssociation}) {
        MessageSeam::BeginRecording();
        shell.result = failure;
        QTest::mouseClick(link, Qt::LeftButton);
        EXPECT_EQ(Texts(), std::vector<std::string>{
                               std::string("Could not launch Web Browser. Please start you web "
                                           "browser and point it to:\n\n") +
                               avensa::kHomePage});
    }
    // The about window opened from the viewers window does not let the program end under it.
    window->SetExitPending();
    QTest::mouseClick(window->About()->findChild<QPushButton*>(QStringLiteral("Command1")),
                      Qt::LeftButton);
    window->ExitPollTick();
    EXPECT_EQ(terminated, 0);
}

TEST(LauncherSearchWindow, CancelAsksTheSearchToStopOnce) {
    int cancelled = 0;
    avensa::SearchWindow wait([&] { ++cancelled; });
    wait.show();
    EXPECT_EQ(wait.size(), QSize(466, 58));
    wait.ShowFolder(QStringLiteral("/media/cdrom/docs/"));
    EXPECT_EQ(wait.findChild<QLabel*>(QStringLiteral("lblDir"))->text(),
              QStringLiteral("/media/cdrom/docs/"));
    auto* cancel = wait.findChild<QPushButton*>(QStringLiteral("Command1"));
    EXPECT_EQ(cancel->text(), QStringLiteral("&Cancel"));
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTest::keyClick(&wait, Qt::Key_Escape);
    EXPECT_EQ(cancelled, 1);
    EXPECT_EQ(cancel->text(), QStringLiteral("Wait..."));
    EXPECT_TRUE(wait.isVisible()); // the search closes it, not the user
}

} // namespace
} // namespace carvelle::ui::test
