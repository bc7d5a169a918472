#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace carvelle::launcher {

// Where the menu window stands for a placement code, given the screen's size and the size of
// the frame on show. Unknown codes centre the window.
struct WindowPlace {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    bool operator==(const WindowPlace&) const = default;
};
WindowPlace PlaceWindow(std::int32_t code, std::int32_t screenWidth, std::int32_t screenHeight,
                        std::int32_t frameWidth, std::int32_t frameHeight);

// Rounds to the nearest integer, halves to the even neighbour.
std::int64_t RoundHalfEven(double value);

// The animation's state between steps.
struct AnimationState {
    std::int32_t CurrentFrame = 1; // 1-based
    bool Backwards = false;
    bool Running = true; // the animation timer is still going
};

// One animation step for `mode` over `loadedFrames` frames. Returns whether the window shows
// the (perhaps unchanged) current frame again; with one frame or none the timer just stops.
// `random` is uniform in [0, 1) and used by the random mode only.
bool AnimationStep(std::int32_t mode, std::int32_t loadedFrames, AnimationState& state,
                   double random);

// The frames shown by up to `maxSteps` steps from presentation (frame 1, not listed), ending
// early when the timer stops.
std::vector<std::int32_t> AnimationSequence(std::int32_t mode, std::int32_t loadedFrames,
                                            int maxSteps,
                                            const std::function<double()>& random = {});

// The display clock, ticking every 100 ms once the menu is up.
struct DisplayClock {
    std::int32_t Ticks = 0;
    bool AutoLaunched = false; // modes 1 and 2 launch once
    bool Running = true;
};

struct ClockTick {
    bool LaunchMain = false; // run the main action now
    bool PeriodOver = false; // stop both timers, hide the window, start polling for the exit
};

ClockTick TickDisplayClock(DisplayClock& clock, std::int32_t autoLaunchMode,
                           std::int32_t displayTicks);

} // namespace carvelle::launcher
