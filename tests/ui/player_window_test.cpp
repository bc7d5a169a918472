#include "actions/action_codes.h"
#include "actions/encoded_targets.h"
#include "common/primitives.h"
#include "designer/object_rules.h"
#include "objects/page.h"
#include "project/project_file.h"
#include "ui/common/error_box.h"
#include "ui/common/sound_player.h"
#include "ui/player/auto_run_form.h"
#include "ui/player/custom_cursors.h"
#include "ui/player/run_action.h"
#include "ui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QLabel>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace carvelle::ui {
namespace {

namespace fs = std::filesystem;

// A project of pages in a temporary folder, read as the player reads source files.
class PlayerWindowTest : public test::SeamTest {
protected:
    QTemporaryDir dir;
    ProjectSession session;
    std::vector<TPage> pages;
    std::vector<QString> soundsPlayed;
    ErrorBoxReporter errorBox;
    ScopedErrorReporter scopedErrors{errorBox};

    void SetUp() override {
        test::SeamTest::SetUp();
        SoundPlayer::SetRecorder([this](const QString& file) { soundsPlayed.push_back(file); });
        session.ProjectFolder = dir.path().toStdString();
        session.Source = ProjectSource::SourceFiles;
    }
    void TearDown() override {
        SoundPlayer::SetRecorder(nullptr);
        test::SeamTest::TearDown();
    }

    TPage& AddPage(const std::string& name, PageKind kind) {
        TPage page;
        page.PageName = name;
        page.Caption = name + " caption";
        page.PageKind = static_cast<std::uint8_t>(kind);
        page.FadeIn = page.FadeOut = false;
        page.Shadow = false;
        page.Width = 300;
        page.Height = 200;
        pages.push_back(page);
        session.Project.Pages.push_back({name, static_cast<std::int32_t>(kind), 0, name, false});
        return pages.back();
    }

    static TAutoObject& AddButton(TPage& page, const std::string& caption, ActionCode action,
                                  const std::string& target = {}) {
        TAutoObject& object =
            CreateObject(page, 0, 10, 10 + 30 * static_cast<int>(page.Objects.size()));
        std::get<kinds::Button>(object.Properties).Caption = caption;
        object.Command.ActionKind = ActionKindOf(action);
        object.Command.Target = target;
        return object;
    }

    void WriteProject() {
        const fs::path source = fs::path(session.ProjectFolder) / "AutoRunSource";
        fs::create_directories(source);
        for (const TPage& page : pages) {
            ASSERT_TRUE(WritePageFile((source / (page.PageName + ".pg")).string(), page));
        }
    }

    std::unique_ptr<TAutoRunForm> Open(const std::string& name) {
        WriteProject();
        auto form = std::make_unique<TAutoRunForm>(session);
        for (std::size_t i = 0; i < session.Project.Pages.size(); ++i) {
            if (session.Project.Pages[i].Name == name) {
                EXPECT_TRUE(form->LoadPage(i, TAutoRunForm::LoadMode::Whole));
            }
        }
        return form;
    }

    static void Click(QWidget* widget) {
        ASSERT_NE(widget, nullptr);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->click();
        } else {
            QTest::mouseClick(widget, Qt::LeftButton);
        }
    }

    // The visible page window with this caption, while modal loops run.
    static TAutoRunForm* WindowCaptioned(const QString& caption) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<TAutoRunForm*>(widget);
            if (form && form->isVisible() && form->windowTitle() == caption) {
                return form;
            }
        }
        return nullptr;
    }

    // Runs `step` once the window with the caption is up, from inside its modal loop.
    static void WhenShown(const QString& caption, std::function<void(TAutoRunForm&)> step) {
        auto* poll = new QTimer(qApp);
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, [poll, caption, step] {
            if (TAutoRunForm* form = WindowCaptioned(caption)) {
                poll->stop();
                poll->deleteLater();
                step(*form);
            }
        });
        poll->start();
    }

    static void Wait(int milliseconds) { QTest::qWait(milliseconds); }
};

TEST_F(PlayerWindowTest, MiddleGradientOnAnOddHeightAndATileLargerThanThePage) {
    TPage& page = AddPage("Main", PageKind::MainPage);
    page.BackColor = 0x00FFFFFF;
    page.GradientColor = 0x00FF0000;
    page.GradientStyle = 5;
    auto form = Open("Main");
    form->resize(120, 101);
    form->show();
    Wait(30);
    const QImage& background = form->Background();
    const int h = background.height();
    ASSERT_EQ(h % 2, 1) << "panel height " << h;
    EXPECT_EQ(background.pixelColor(60, h / 2), QColor(255, 255, 255));
    EXPECT_EQ(background.pixelColor(60, h - 1), QColor(0, 0, 255));
    EXPECT_LT(background.pixelColor(60, 0).red(), 10);

    // A tile larger than the page is drawn once, at the top left.
    QImage big(500, 400, QImage::Format_RGB32);
    big.fill(QColor(10, 200, 30));
    big.setPixelColor(0, 0, QColor(255, 0, 0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    big.save(&buffer, "PNG");
    TPage& tiled = AddPage("Tiled", PageKind::SubPage);
    tiled.BackImage = {GraphicClass::PNGObject, std::vector<std::uint8_t>(png.begin(), png.end())};
    tiled.BackImageStyle = 3;
    auto second = Open("Tiled");
    second->show();
    Wait(30);
    EXPECT_EQ(second->Background().pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(second->Background().pixelColor(5, 5), QColor(10, 200, 30));
}

TEST_F(PlayerWindowTest, SplashClosesOnAClickWithoutRunningTheButtonsAction) {
    TPage& splash = AddPage("Splash", PageKind::SplashScreen);
    splash.StayTime = 0;
    AddButton(splash, "Leave", ActionCode::Exit);
    auto form = Open("Splash");
    form->show();
    Wait(20);
    Click(form->ObjectControl(0));
    Wait(20);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->ExitRequested) << "the button's action ran";
}

TEST_F(PlayerWindowTest, SplashWithoutStayTimeAndClickContinueStays) {
    TPage& splash = AddPage("Splash", PageKind::SplashScreen);
    splash.StayTime = 0;
    splash.ClickContinue = false;
    TPage& timed = AddPage("Timed", PageKind::SplashScreen);
    timed.StayTime = 1;
    auto form = Open("Splash");
    form->show();
    QTest::keyClick(form.get(), Qt::Key_Space);
    Wait(1300);
    EXPECT_TRUE(form->isVisible());
    EXPECT_GE(form->ElapsedSeconds, 1);

    auto closesItself = Open("Timed");
    closesItself->show();
    Wait(1300);
    EXPECT_FALSE(closesItself->isVisible());
}

TEST_F(PlayerWindowTest, GotoPageKeepsTheFrameAndReplacesTheContents) {
    TPage& main = AddPage("Main", PageKind::MainPage);
    AddButton(main, "Go", ActionCode::GotoPage, "Other");
    main.StatusBar.Panels = {{0, "main panel", 80}};
    TPage& other = AddPage("Other", PageKind::SubPage);
    other.Width = 640;
    other.BackColor = 0x000000FF;
    other.GradientStyle = 0;
    AddButton(other, "Back", ActionCode::GotoPage, "Main").Command.Name = "BackButton";
    other.StartCommand.ActionKind = ActionKindOf(ActionCode::GotoPage);
    auto form = Open("Main");
    form->show();
    Wait(30);
    const QSize size = form->size();
    Click(form->ObjectControl(0));
    Wait(60);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Main caption"));
    EXPECT_EQ(form->size(), size);
    EXPECT_EQ(form->Page().PageName, "Other");
    EXPECT_EQ(form->Page().PageKind, static_cast<std::uint8_t>(PageKind::MainPage));
    ASSERT_NE(form->ObjectControl(0), nullptr);
    EXPECT_EQ(form->ObjectControl(0)->objectName(), QStringLiteral("BackButton"));
    EXPECT_FALSE(form->findChild<QStatusBar*>()->isVisible()) << "the bars come from the new page";
    EXPECT_EQ(form->Background().pixelColor(5, 5), QColor(255, 0, 0));
    form->close();
}

TEST_F(PlayerWindowTest, ExitFromASubPageOfASubPageClosesTheChainThroughTheExitPage) {
    TPage& main = AddPage("Main", PageKind::MainPage);
    AddButton(main, "First", ActionCode::ShowSubPage, "Sub1");
    TPage& sub1 = AddPage("Sub1", PageKind::SubPage);
    AddButton(sub1, "Second", ActionCode::ShowSubPage, "Sub2");
    TPage& sub2 = AddPage("Sub2", PageKind::SubPage);
    AddButton(sub2, "Exit", ActionCode::Exit);
    TPage& goodbye = AddPage("Goodbye", PageKind::ExitForm);
    goodbye.StayTime = 1;
    WriteProject();
    TAutoRunForm form(session);
    ASSERT_TRUE(form.PrepareAsMainWindow());
    form.show();
    bool goodbyeShown = false;
    WhenShown(QStringLiteral("Sub1 caption"),
              [](TAutoRunForm& page) { Click(page.ObjectControl(0)); });
    WhenShown(QStringLiteral("Sub2 caption"),
              [](TAutoRunForm& page) { Click(page.ObjectControl(0)); });
    WhenShown(QStringLiteral("Goodbye caption"), [&](TAutoRunForm&) { goodbyeShown = true; });
    Click(form.ObjectControl(0));
    Wait(50);
    EXPECT_TRUE(goodbyeShown);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(WindowCaptioned(QStringLiteral("Sub1 caption")));
}

TEST_F(PlayerWindowTest, ExitPageCancelKeepsTheMainWindow) {
    AddPage("Main", PageKind::MainPage);
    TPage& goodbye = AddPage("Goodbye", PageKind::ExitForm);
    goodbye.StayTime = 0;
    goodbye.ClickContinue = false;
    TAutoObject& cancel = AddButton(goodbye, "Stay", ActionCode::None);
    std::get<kinds::Button>(cancel.Properties).ButtonType = 2;
    WriteProject();
    TAutoRunForm form(session);
    ASSERT_TRUE(form.PrepareAsMainWindow());
    form.show();
    Wait(20);
    WhenShown(QStringLiteral("Goodbye caption"),
              [](TAutoRunForm& page) { Click(page.ObjectControl(0)); });
    form.close();
    Wait(30);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(PlayerWindowTest, RefusedAgreementEndsBeforeTheMainPage) {
    AddPage("Main", PageKind::MainPage);
    TPage& agreement = AddPage("Agreement", PageKind::AgreementForm);
    TAutoObject& decline = AddButton(agreement, "Decline", ActionCode::None);
    std::get<kinds::Button>(decline.Properties).ButtonType = 2;
    WriteProject();
    TAutoRunForm form(session);
    WhenShown(QStringLiteral("Agreement caption"),
              [](TAutoRunForm& page) { Click(page.ObjectControl(0)); });
    EXPECT_FALSE(form.PrepareAsMainWindow());
}

TEST_F(PlayerWindowTest, CommentViewerTextIsSavedAndRestored) {
    TPage& main = AddPage("Main", PageKind::MainPage);
    main.StatusBar.Panels = {{0, "Ready", 100}};
    TAutoObject& button = AddButton(main, "Manual", ActionCode::None);
    button.Command.Comment = "Opens the manual";
    button.Command.CommentViewer = "StatusBar[0]";
    button.Command.MouseEnterSound = "enter.wav";
    test::WriteBytes(fs::path(session.ProjectFolder) / "enter.wav", "RIFF");
    auto form = Open("Main");
    form->show();
    Wait(20);
    auto* panel = form->findChild<QLabel*>(QStringLiteral("StatusBar[0]"));
    ASSERT_NE(panel, nullptr);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(form->ObjectControl(0), &enter);
    EXPECT_EQ(panel->text(), QStringLiteral("Opens the manual"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form->ObjectControl(0), &leave);
    EXPECT_EQ(panel->text(), QStringLiteral("Ready"));
    ASSERT_EQ(soundsPlayed.size(), 1u);
    EXPECT_TRUE(soundsPlayed[0].endsWith(QStringLiteral("enter.wav")));
}

TEST_F(PlayerWindowTest, ObjectsSharingACursorFileShareItsNumber) {
    const fs::path folder(session.ProjectFolder);
    fs::create_directories(folder / "cursors");
    fs::copy_file(fs::path(CARVELLE_FIXTURES) / "images/pointer.cur",
                  folder / "cursors" / "Hand.cur");
    fs::copy_file(fs::path(CARVELLE_FIXTURES) / "images/busy.ani", folder / "cursors" / "busy.ani");
    CustomCursors::Clear();
    EXPECT_EQ(CustomCursors::Load(session.ProjectFolder, "\\cursors\\Hand.cur"), 1);
    EXPECT_EQ(CustomCursors::Load(session.ProjectFolder, "CURSORS\\HAND.CUR"), 1);
    EXPECT_EQ(CustomCursors::Load(session.ProjectFolder, "\\cursors\\missing.cur"), -1);
    EXPECT_EQ(CustomCursors::Load(session.ProjectFolder, "\\cursors\\busy.ani"), 2);
    EXPECT_EQ(CustomCursors::Cursor(1).hotSpot(), QPoint(5, 7));
    EXPECT_EQ(CustomCursors::Cursor(2).hotSpot(), QPoint(16, 16));

    TPage& main = AddPage("Main", PageKind::MainPage);
    AddButton(main, "One", ActionCode::None).Command.Cursor = "cursors\\hand.cur";
    AddButton(main, "Two", ActionCode::None).Command.Cursor = "\\Cursors\\Hand.cur";
    AddButton(main, "Three", ActionCode::None).Command.Cursor = "\\cursors\\missing.cur";
    auto form = Open("Main");
    form->show();
    Wait(60);
    EXPECT_EQ(form->ObjectControl(0)->cursor().hotSpot(), QPoint(5, 7));
    EXPECT_EQ(form->ObjectControl(1)->cursor().hotSpot(), QPoint(5, 7));
    EXPECT_EQ(form->ObjectControl(2)->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(CustomCursors::Load(session.ProjectFolder, "\\cursors\\hand.cur"), 1);
    form->close();
}

TEST_F(PlayerWindowTest, NotebookTabsGoToTheirPages) {
    session.Project.Settings.Style = 1;
    session.Project.Settings.TabSheets = JoinTextLines({"Products", "Nowhere", "Support"});
    AddPage("Main", PageKind::MainPage);
    AddButton(AddPage("Products", PageKind::SubPage), "In products", ActionCode::None);
    AddPage("Support", PageKind::SubPage);
    WriteProject();
    TAutoRunForm form(session);
    ASSERT_TRUE(form.PrepareAsMainWindow());
    form.show();
    auto* tabs = form.findChild<QTabBar*>(QStringLiteral("Notebook"));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Main caption"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Products caption"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Support caption"));
    tabs->setCurrentIndex(1);
    Wait(60);
    EXPECT_EQ(form.Page().PageName, "Products");
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Main caption")) << "the frame stays";
    form.close();
}

TEST_F(PlayerWindowTest, InputsTakeTheFocusInTheirStoredOrder) {
    TPage& main = AddPage("Main", PageKind::MainPage);
    for (const int order : {2, 0, 1}) {
        TAutoObject& edit = CreateObject(main, 14, 10, 10 + 30 * order);
        std::get<kinds::Edit>(edit.Properties).TabOrder = order;
        edit.Command.Name = "Edit" + std::to_string(order);
    }
    auto form = Open("Main");
    form->show();
    Wait(20);
    form->ObjectControl(1)->setFocus();
    Wait(10);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("Edit0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("Edit1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("Edit2"));
    form->close();
}

TEST_F(PlayerWindowTest, VisibilityActionShowsHidesEnablesAndDisables) {
    TPage& main = AddPage("Main", PageKind::MainPage);
    AddButton(main, "One", ActionCode::None).Command.GroupName = "G";
    AddButton(main, "Two", ActionCode::None).Command.GroupName = "G";
    AddButton(main, "Three", ActionCode::None).Command.Name = "Third";
    auto form = Open("Main");
    form->show();
    Wait(20);
    VisibilitySet set;
    set.HideGroups = {"G"};
    set.DisableObjects = {"Third"};
    TCommand action;
    action.ActionKind = ActionKindOf(ActionCode::ShowHideObjects);
    action.Target = BuildVisibilitySet(set);
    EXPECT_TRUE(RunAction(*form, action));
    EXPECT_FALSE(form->ObjectControl(0)->isVisible());
    EXPECT_FALSE(form->ObjectControl(1)->isVisible());
    EXPECT_TRUE(form->ObjectControl(2)->isVisible());
    EXPECT_FALSE(form->ObjectControl(2)->isEnabled());
    EXPECT_FALSE(form->Page().Objects[0].Command.Visible);
    // A set cut short applies what it holds and fails.
    action.Target = "G\r\n\x01";
    EXPECT_FALSE(RunAction(*form, action));
    EXPECT_TRUE(form->ObjectControl(0)->isVisible());
    form->close();
}

TEST_F(PlayerWindowTest, MissingStartSoundIsReportedOnce) {
    TPage& main = AddPage("Main", PageKind::MainPage);
    main.StartSound = "intro.wav";
    auto form = Open("Main");
    form->show();
    Wait(1200);
    ASSERT_EQ(MessageSeam::Shown().size(), 1u);
    const MessageRequest& box = MessageSeam::Shown()[0];
    EXPECT_EQ(box.caption, QStringLiteral("Error"));
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("The specified file \"")));
    EXPECT_TRUE(box.text.endsWith(QStringLiteral("intro.wav\" was not found.")));
    form->close();
}

} // namespace
} // namespace carvelle::ui
