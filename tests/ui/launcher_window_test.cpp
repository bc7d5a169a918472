#include "launcher_ui_support.h"

#include "ui/launcher/frame_region.h"

#include "launcher/window_rules.h"

#include <QContextMenuEvent>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <random>

namespace carvelle::ui::test {
namespace {

using avensa::MenuWindow;

constexpr std::uint32_t kColours[] = {0xC01010, 0x10C010, 0x1010C0, 0xC0C010};

QRgb ShownPixel(MenuWindow& window, QPoint at = {1, 1}) {
    return window.grab().toImage().pixel(at) & 0xFFFFFF;
}

class LauncherWindowTest : public LauncherTest {
protected:
    void AddFrames(int count, QSize size = {40, 30}) {
        for (int k = 0; k < count; ++k) {
            AddFrame(menu, SolidFrame(size.width(), size.height(), kColours[k % 4]));
        }
    }
};

TEST_F(LauncherWindowTest, IsABorderlessTopmostPictureAtEveryPlacement) {
    AddFrames(1, {100, 60});
    for (int code = -1; code <= 11; ++code) {
        menu.Position = code;
        MenuWindow& shown = Open();
        ASSERT_TRUE(started);
        const QRect screen = shown.screen()->geometry();
        const launcher::WindowPlace place =
            launcher::PlaceWindow(code, screen.width(), screen.height(), 100, 60);
        EXPECT_EQ(shown.pos(), QPoint(place.Left, place.Top) + screen.topLeft()) << code;
        EXPECT_EQ(shown.size(), QSize(100, 60));
        EXPECT_TRUE(shown.isVisible());
        EXPECT_TRUE(shown.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_TRUE(shown.windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(ShownPixel(shown), kColours[0]);
    }
}

TEST_F(LauncherWindowTest, AFrameOfAnotherSizeMovesTheWindowToKeepItsPlace) {
    AddFrame(menu, SolidFrame(100, 60, kColours[0]));
    AddFrame(menu, SolidFrame(40, 30, kColours[1]));
    menu.Position = 4; // bottom right
    menu.AnimationMode = 3;
    menu.FrameInterval = 50;
    MenuWindow& shown = Open();
    const QRect screen = shown.screen()->geometry();
    EXPECT_EQ(shown.geometry().bottomRight(), screen.bottomRight());
    shown.AnimationTick();
    EXPECT_EQ(shown.size(), QSize(40, 30));
    EXPECT_EQ(shown.geometry().bottomRight(), screen.bottomRight());
    EXPECT_EQ(ShownPixel(shown), kColours[1]);
}

TEST_F(LauncherWindowTest, AnimationModesShowTheirFramesInTurn) {
    const struct {
        int mode;
        int frames;
        std::vector<int> shown; // after each step
        bool running;           // the timer afterwards
    } cases[] = {
        {0, 3, {1}, false},               // still: the first step stops on frame 1
        {2, 2, {2, 2}, false},            // once: stays on the last frame
        {3, 3, {2, 3, 1, 2}, true},       // loop
        {4, 3, {2, 3, 2, 1, 1}, false},   // there and back once, stopping on frame 1
        {5, 3, {2, 3, 2, 1, 2, 3}, true}, // there and back forever
        {3, 1, {1}, false},               // one frame: the timer just stops
        {9, 3, {1, 1}, true},             // unknown mode: nothing changes
    };
    for (const auto& c : cases) {
        menu = launcher::Menu{};
        menu.MenuName = "intro.mnu";
        menu.DisplayTicks = 1000;
        menu.AnimationMode = c.mode;
        menu.FrameInterval = 50;
        AddFrames(c.frames);
        MenuWindow& shown = Open();
        ASSERT_TRUE(shown.AnimationTimer().isActive());
        EXPECT_EQ(shown.AnimationTimer().interval(), 50);
        EXPECT_EQ(ShownPixel(shown), kColours[0]);
        for (std::size_t step = 0; step < c.shown.size(); ++step) {
            shown.AnimationTick();
            EXPECT_EQ(shown.CurrentFrame(), c.shown[step]) << "mode " << c.mode << " step " << step;
            EXPECT_EQ(ShownPixel(shown), kColours[(c.shown[step] - 1) % 4]) << "mode " << c.mode;
        }
        EXPECT_EQ(shown.AnimationTimer().isActive(), c.running) << "mode " << c.mode;
    }
}

TEST_F(LauncherWindowTest, RandomModeDrawsFromTheGeneratorAndStaysInRange) {
    menu.AnimationMode = 1;
    menu.FrameInterval = 50;
    AddFrames(3);
    MenuWindow& shown = Open();
    std::vector<double> draws = {0.0, 0.3, 0.99, 0.5};
    std::size_t next = 0;
    shown.SetRandomSource([&] { return draws[next++]; });
    std::vector<int> frames;
    for (std::size_t i = 0; i < draws.size(); ++i) {
        shown.AnimationTick();
        frames.push_back(shown.CurrentFrame());
    }
    // round(r × 4), halves to even, kept within 1..3.
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 3, 2}));
}

TEST_F(LauncherWindowTest, TheAnimationTimerStepsAtTheFrameInterval) {
    menu.AnimationMode = 3;
    menu.FrameInterval = 20;
    AddFrames(3);
    MenuWindow& shown = Open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.CurrentFrame() == 3; }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.CurrentFrame() == 1; }, 2000));
    EXPECT_EQ(ShownPixel(shown), kColours[0]);

    // A menu without pictures is never shown and never animates.
    menu = launcher::Menu{};
    menu.MenuName = "intro.mnu";
    menu.FrameInterval = 20;
    MenuWindow& empty = Open();
    EXPECT_TRUE(started);
    EXPECT_FALSE(empty.isVisible());
    EXPECT_FALSE(empty.AnimationTimer().isActive());
    EXPECT_TRUE(empty.DisplayClock().isActive());
}

// A frame with a cut rectangle in magenta, which the region text removes from the shape.
launcher::Frame CutFrame(QRect cut, std::uint32_t colour) {
    launcher::Frame frame = SolidFrame(80, 40, colour);
    for (int y = cut.top(); y <= cut.bottom(); ++y) {
        for (int x = cut.left(); x <= cut.right(); ++x) {
            frame.Pixels[static_cast<std::size_t>(y * 80 + x)] = 0xFF00FF;
        }
    }
    return frame;
}

TEST_F(LauncherWindowTest, RegionTextsShapeTheWindow) {
    const QRect firstCut(10, 5, 20, 10);
    const QRect secondCut(50, 20, 20, 10);
    const auto build = [&](std::int32_t shapeIndex, std::int32_t noFrameRegions) {
        menu = launcher::Menu{};
        menu.MenuName = "intro.mnu";
        menu.DisplayTicks = 1000;
        menu.ShapeColourIndex = shapeIndex;
        menu.NoFrameRegions = noFrameRegions;
        menu.AnimationMode = 3;
        menu.FrameInterval = 50;
        AddFrame(menu, CutFrame(firstCut, kColours[0]), 0xFF00FF);
        AddFrame(menu, CutFrame(secondCut, kColours[1]), 0xFF00FF);
        return &Open();
    };

    MenuWindow* shown = build(12, 0);
    EXPECT_FALSE(shown->mask().contains(firstCut.center()));
    EXPECT_TRUE(shown->mask().contains(secondCut.center()));
    EXPECT_TRUE(shown->mask().contains(QPoint(0, 0)));
    shown->AnimationTick();
    EXPECT_TRUE(shown->mask().contains(firstCut.center()));
    EXPECT_FALSE(shown->mask().contains(secondCut.center()));

    // Only the first frame's outline, at presentation.
    shown = build(12, 1);
    shown->AnimationTick();
    EXPECT_EQ(shown->CurrentFrame(), 2);
    EXPECT_FALSE(shown->mask().contains(firstCut.center()));
    EXPECT_TRUE(shown->mask().contains(secondCut.center()));

    // Shape colour indexes 0 and 15 leave shaping off.
    for (std::int32_t off : {0, 15, -3}) {
        shown = build(off, 0);
        EXPECT_TRUE(shown->mask().isEmpty()) << off;
    }

    // A region text that is not made of numbers keeps the outline the window had.
    menu.FrameRegions[1] = "00800040Y00x100200030";
    Open().AnimationTick();
    EXPECT_EQ(window->CurrentFrame(), 2);
    EXPECT_FALSE(window->mask().contains(firstCut.center()));
}

TEST(LauncherFrameRegion, KeepsExactlyThePixelsTheTextDoesNotCut) {
    std::mt19937 random(7);
    launcher::Frame frame = SolidFrame(64, 48, 0x123456);
    for (std::uint32_t& pixel : frame.Pixels) {
        if (random() % 3 == 0) {
            pixel = 0xFF00FF;
        }
    }
    const std::string text = *launcher::MakeRegionText(frame, 0xFF00FF);
    const std::optional<QRegion> region = avensa::BuildFrameRegion(text);
    ASSERT_TRUE(region);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            const bool cut = frame.Pixels[static_cast<std::size_t>(y * 64 + x)] == 0xFF00FF;
            ASSERT_EQ(region->contains(QPoint(x, y)), !cut) << x << "," << y;
        }
    }
    EXPECT_FALSE(region->contains(QPoint(64, 0)));
    EXPECT_FALSE(region->contains(QPoint(0, 48)));
    // The size alone keeps the whole rectangle; junk is refused.
    EXPECT_EQ(*avensa::BuildFrameRegion("06400480"), QRegion(0, 0, 640, 480));
    EXPECT_EQ(*avensa::BuildFrameRegion("06400480Y000200100020"), // the example of a span
              QRegion(0, 0, 640, 480).subtracted(QRegion(10, 1, 10, 1)));
    EXPECT_FALSE(avensa::BuildFrameRegion("0640048x"));
}

TEST_F(LauncherWindowTest, TheDisplayClockLaunchesTheMainActionAtItsTick) {
    const struct {
        int mode;
        int ticks;
        int launchTick; // 0: never
    } cases[] = {{1, 20, 1}, {2, 11, 6}, {2, 10, 6}, {3, 5, 6}, {0, 5, 0}, {7, 5, 0}};
    AddFrames(1);
    menu.Actions[0].Target = "http://example.org/";
    for (const auto& c : cases) {
        menu.AutoLaunchMode = c.mode;
        menu.DisplayTicks = c.ticks;
        shell.requests.clear();
        terminated = 0;
        MenuWindow& shown = Open();
        EXPECT_EQ(shown.DisplayClock().interval(), 100);
        int launchedAt = 0;
        for (int tick = 1; tick <= c.ticks + 1; ++tick) {
            shown.DisplayTick();
            if (launchedAt == 0 && !shell.requests.empty()) {
                launchedAt = tick;
            }
        }
        EXPECT_EQ(launchedAt, c.launchTick) << "mode " << c.mode;
        EXPECT_LE(shell.requests.size(), 1u) << "mode " << c.mode;
        // The period is over: hidden, polling for the end.
        EXPECT_FALSE(shown.isVisible());
        EXPECT_FALSE(shown.DisplayClock().isActive());
        EXPECT_FALSE(shown.AnimationTimer().isActive());
        EXPECT_TRUE(shown.ExitPoll().isActive());
        EXPECT_EQ(shown.ExitPoll().interval(), 300);
        shown.ExitPollTick();
        EXPECT_EQ(terminated, 1) << "mode " << c.mode;
    }
}

TEST_F(LauncherWindowTest, ClockTicksEveryTenthOfASecondFromStartUp) {
    AddFrames(1);
    menu.AutoLaunchMode = 2;
    menu.DisplayTicks = 4; // launches on the third tick
    menu.Actions[0].Target = "http://example.org/";
    QElapsedTimer elapsed;
    elapsed.start();
    Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shell.requests.empty(); }, 3000));
    EXPECT_GE(elapsed.elapsed(), 250);
    EXPECT_TRUE(QTest::qWaitFor([&] { return terminated == 1; }, 3000));
}

TEST_F(LauncherWindowTest, TheProgramWaitsForTheAboutWindowBeforeEnding) {
    AddFrames(1);
    menu.AutoLaunchMode = 3;
    menu.DisplayTicks = 0;
    menu.Actions[0].Target = "http://example.org/";
    MenuWindow& shown = Open();

    // Right-click, then About.
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            shown.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&shown, &click);
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(popup);
    QAction* about = popup->findChild<QAction*>(QStringLiteral("About1"));
    ASSERT_TRUE(about);
    EXPECT_EQ(about->text(), QStringLiteral("About"));
    popup->close();
    about->trigger();
    ASSERT_TRUE(shown.About() && shown.About()->isVisible());

    shown.DisplayTick(); // launches and ends the period
    EXPECT_TRUE(shown.ExitPending());
    shown.ExitPollTick();
    EXPECT_EQ(terminated, 0);
    QTest::mouseClick(shown.About()->findChild<QPushButton*>(QStringLiteral("Command1")),
                      Qt::LeftButton);
    EXPECT_FALSE(shown.SecondaryWindowOpen());
    shown.ExitPollTick();
    EXPECT_EQ(terminated, 1);
}

TEST_F(LauncherWindowTest, StartAndExitSoundsComeFromBesideTheExecutableOrAreBuiltIn) {
    AddFrames(1);
    Open();
    ASSERT_FALSE(sound.played.empty());
    EXPECT_EQ(sound.played.front(), (RecordingSound::Played{"built-in start", false}));
    window.reset();
    EXPECT_EQ(sound.played.back(), (RecordingSound::Played{"built-in exit", true}));

    // Names on a medium authored elsewhere may differ in letter case.
    Beside("START.WAV");
    Beside("exit.wav");
    sound.played.clear();
    Open();
    EXPECT_EQ(sound.played.front(), (RecordingSound::Played{"START.WAV", false}));
    window.reset();
    EXPECT_EQ(sound.played.back(), (RecordingSound::Played{"exit.wav", true}));
    EXPECT_EQ(sound.played.size(), 2u);
}

TEST_F(LauncherWindowTest, AnIconBesideTheExecutableBecomesTheWindowsIcon) {
    AddFrames(1);
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString((exeFolder / "avensa.ico").string()), "ICO"));
    EXPECT_FALSE(Open().windowIcon().isNull());
}

TEST_F(LauncherWindowTest, StartUpFailuresShowTheirBoxesAndEndTheProgram) {
    window = std::make_unique<MenuWindow>(Environment());
    EXPECT_FALSE(window->Start(Read(std::vector<std::uint8_t>(64, 0x4D))));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Invalid menu address.",
                                                 "Error in loading internal menu."}));
    EXPECT_EQ(MessageSeam::Shown().front().caption, QStringLiteral("Avensa"));
    EXPECT_EQ(MessageSeam::Shown().front().icon, MessageIcon::Error);

    // A menu of an older version: both boxes, the information first, and nothing shown.
    MessageSeam::BeginRecording();
    AddFrames(1);
    std::vector<std::uint8_t> bytes = Executable(menu);
    const auto at = std::search(bytes.begin(), bytes.end(), std::begin("MENU\x04\x09"),
                                std::end("MENU\x04\x09") - 1);
    ASSERT_NE(at, bytes.end());
    at[5] = 8;
    window = std::make_unique<MenuWindow>(Environment());
    EXPECT_FALSE(window->Start(Read(bytes)));
    ASSERT_EQ(MessageSeam::Shown().size(), 2u);
    EXPECT_EQ(MessageSeam::Shown()[0].icon, MessageIcon::Information);
    EXPECT_TRUE(Texts()[0].starts_with("This is not an Avensa Version 9 file."));
    EXPECT_EQ(Texts()[1], "Menu could not be read.");
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->DisplayClock().isActive());

    // A damaged second picture: a warning, and the menu goes on with the first.
    MessageSeam::BeginRecording();
    AddFrames(1);
    bytes = Executable(menu);
    bytes[bytes.size() - 40] ^= 0xFF; // inside the last picture's compressed block
    window = std::make_unique<MenuWindow>(Environment());
    EXPECT_TRUE(window->Start(Read(bytes)));
    EXPECT_EQ(Texts(), std::vector<std::string>{"Only 1 of 2 images loaded."});
    EXPECT_EQ(window->Menu().LoadedFrames(), 1);
    EXPECT_TRUE(window->isVisible());
}

} // namespace
} // namespace carvelle::ui::test
