#include "launcher/window_rules.h"

#include <gtest/gtest.h>

namespace carvelle::launcher {
namespace {

TEST(LauncherPlacement, ElevenPlacementsOnAScreen) {
    const struct {
        std::int32_t code;
        WindowPlace place;
    } cases[] = {
        {1, {0, 0}},     {2, {624, 0}},    {3, {0, 468}},    {4, {624, 468}}, {5, {56, 42}},
        {6, {568, 42}},  {7, {56, 426}},   {8, {568, 426}},  {9, {208, 42}},  {10, {376, 42}},
        {0, {312, 234}}, {11, {312, 234}}, {-1, {312, 234}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlaceWindow(c.code, 1024, 768, 400, 300), c.place) << c.code;
    }
    // Frames larger than their share of the screen: division truncates toward zero.
    EXPECT_EQ(PlaceWindow(5, 1024, 768, 601, 400), (WindowPlace{-44, -8}));
    EXPECT_EQ(PlaceWindow(9, 1024, 768, 1029, 100), (WindowPlace{-1, 142}));
    EXPECT_EQ(PlaceWindow(0, 1024, 768, 1025, 769), (WindowPlace{0, 0}));
    EXPECT_EQ(PlaceWindow(10, 1024, 768, 1200, 100), (WindowPlace{-106, 142}));
}

TEST(LauncherPlacement, RoundingTakesHalvesToEven) {
    const struct {
        double value;
        std::int64_t rounded;
    } cases[] = {{0.5, 0},   {1.5, 2},        {2.5, 2},    {-0.5, 0}, {-1.5, -2},
                 {-2.5, -2}, {375.9036, 376}, {2.4999, 2}, {-2.6, -3}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
    }
}

TEST(LauncherAnimation, FrameOrderOfEachMode) {
    const struct {
        std::int32_t mode;
        std::int32_t frames;
        int steps;
        std::vector<std::int32_t> shown;
        bool stillRunning;
    } cases[] = {
        {0, 3, 5, {1}, false},                     // still: stops on frame 1
        {2, 2, 5, {2, 2}, false},                  // once: stops with the last frame
        {3, 3, 5, {2, 3, 1, 2, 3}, true},          // loop
        {4, 3, 9, {2, 3, 2, 1, 1}, false},         // there and back once
        {5, 3, 8, {2, 3, 2, 1, 2, 3, 2, 1}, true}, // there and back forever
        {5, 2, 5, {2, 1, 2, 1, 2}, true},
        {9, 3, 3, {1, 1, 1}, true}, // unknown mode: frame unchanged
        {3, 1, 5, {}, false},       // one frame: stop without redrawing
        {3, 0, 5, {}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnimationSequence(c.mode, c.frames, c.steps), c.shown) << "mode " << c.mode;
        AnimationState state;
        for (int i = 0; i < c.steps; ++i) {
            AnimationStep(c.mode, c.frames, state, 0.0);
        }
        EXPECT_EQ(state.Running, c.stillRunning) << "mode " << c.mode;
    }
}

TEST(LauncherAnimation, RandomModeRoundsAndClampsItsPick) {
    // r x (N + 1) for N = 3: 0 -> 1 (clamped), 1.5 -> 2, 2.5 -> 2, 3.5 -> 4 -> 3 (clamped).
    const std::vector<double> draws{0.0, 0.375, 0.625, 0.875, 0.99};
    std::size_t next = 0;
    EXPECT_EQ(AnimationSequence(1, 3, 5, [&] { return draws[next++]; }),
              (std::vector<std::int32_t>{1, 2, 2, 3, 3}));
}

// The ticks on which the clock launches the main action, and the one that ends the period.
struct ClockRun {
    std::vector<std::int32_t> launches;
    std::int32_t over = 0;
};
ClockRun RunClock(std::int32_t mode, std::int32_t displayTicks) {
    ClockRun run;
    DisplayClock clock;
    for (int i = 0; i < 1000 && run.over == 0; ++i) {
        const ClockTick tick = TickDisplayClock(clock, mode, displayTicks);
        if (tick.LaunchMain) {
            run.launches.push_back(clock.Ticks);
        }
        if (tick.PeriodOver) {
            run.over = clock.Ticks;
        }
    }
    EXPECT_FALSE(TickDisplayClock(clock, mode, displayTicks).LaunchMain) << "stopped";
    return run;
}

TEST(LauncherClock, AutoLaunchModesLaunchOnceAtTheirTick) {
    const struct {
        std::int32_t mode;
        std::int32_t displayTicks;
        std::vector<std::int32_t> launches;
        std::int32_t over;
    } cases[] = {
        {0, 10, {}, 11},      {1, 10, {1}, 11}, {2, 11, {6}, 12}, {2, 10, {6}, 11},
        {3, 160, {161}, 161}, {2, 0, {1}, 1},   {7, 3, {}, 4},
    };
    for (const auto& c : cases) {
        const ClockRun run = RunClock(c.mode, c.displayTicks);
        EXPECT_EQ(run.launches, c.launches) << c.mode << "/" << c.displayTicks;
        EXPECT_EQ(run.over, c.over) << c.mode << "/" << c.displayTicks;
    }
}

} // namespace
} // namespace carvelle::launcher
