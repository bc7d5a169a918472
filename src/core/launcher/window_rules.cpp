#include "window_rules.h"

#include <cmath>

namespace carvelle::launcher {

std::int64_t RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    auto result = static_cast<std::int64_t>(lower);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) {
        ++result;
    }
    return result;
}

WindowPlace PlaceWindow(std::int32_t code, std::int32_t screenWidth, std::int32_t screenHeight,
                        std::int32_t frameWidth, std::int32_t frameHeight) {
    // 64-bit so that no size can overflow; every result lies between the operands.
    const std::int64_t sw = screenWidth;
    const std::int64_t sh = screenHeight;
    const std::int64_t w = frameWidth;
    const std::int64_t h = frameHeight;
    const std::int64_t topHalf = (sh / 2 - h) / 2;
    const std::int64_t bottomHalf = sh / 2 + (sh / 2 - h) / 2;
    const std::int64_t leftHalf = (sw / 2 - w) / 2;
    const std::int64_t rightHalf = sw / 2 + (sw / 2 - w) / 2;
    std::int64_t left = (sw - w) / 2;
    std::int64_t top = (sh - h) / 2;
    switch (code) {
    case 1:
        left = 0, top = 0;
        break;
    case 2:
        left = sw - w, top = 0;
        break;
    case 3:
        left = 0, top = sh - h;
        break;
    case 4:
        left = sw - w, top = sh - h;
        break;
    case 5:
        left = leftHalf, top = topHalf;
        break;
    case 6:
        left = rightHalf, top = topHalf;
        break;
    case 7:
        left = leftHalf, top = bottomHalf;
        break;
    case 8:
        left = rightHalf, top = bottomHalf;
        break;
    case 9:
        left = (sw - w) / 3, top = topHalf;
        break;
    case 10:
        left = RoundHalfEven(static_cast<double>(sw - w) / 1.66), top = topHalf;
        break;
    default:
        break;
    }
    return {static_cast<std::int32_t>(left), static_cast<std::int32_t>(top)};
}

bool AnimationStep(std::int32_t mode, std::int32_t loadedFrames, AnimationState& state,
                   double random) {
    const std::int32_t n = loadedFrames;
    std::int32_t& c = state.CurrentFrame;
    if (n <= 1) {
        state.Running = false;
        return false;
    }
    switch (mode) {
    case 0: // still
        if (c == 1) {
            state.Running = false;
        } else {
            c = 1;
        }
        break;
    case 1: { // random
        const std::int64_t pick = RoundHalfEven(random * (static_cast<double>(n) + 1));
        c = pick > n ? n : pick < 1 ? 1 : static_cast<std::int32_t>(pick);
        break;
    }
    case 2: // once
        if (++c > n) {
            c = n;
            state.Running = false;
        }
        break;
    case 3: // loop
        if (++c > n) {
            c = 1;
        }
        break;
    case 4: // there and back once
    case 5: // there and back forever
        c += state.Backwards ? -1 : 1;
        if (c > n) {
            c = n - 1;
            state.Backwards = true;
        }
        if (c < 1) {
            if (mode == 4) {
                c = 1;
                state.Running = false;
            } else {
                c = 2;
                state.Backwards = false;
            }
        }
        break;
    default:
        break;
    }
    return true;
}

std::vector<std::int32_t> AnimationSequence(std::int32_t mode, std::int32_t loadedFrames,
                                            int maxSteps, const std::function<double()>& random) {
    std::vector<std::int32_t> shown;
    AnimationState state;
    for (int step = 0; step < maxSteps && state.Running; ++step) {
        if (AnimationStep(mode, loadedFrames, state, random ? random() : 0.0)) {
            shown.push_back(state.CurrentFrame);
        }
    }
    return shown;
}

ClockTick TickDisplayClock(DisplayClock& clock, std::int32_t autoLaunchMode,
                           std::int32_t displayTicks) {
    ClockTick tick;
    if (!clock.Running) {
        return tick;
    }
    ++clock.Ticks;
    if (autoLaunchMode == 1 && !clock.AutoLaunched) {
        clock.AutoLaunched = true;
        tick.LaunchMain = true;
    }
    // More than half the period, in exact arithmetic: 6 ticks of 11 launch, 5 do not.
    if (2 * static_cast<std::int64_t>(clock.Ticks) > displayTicks && autoLaunchMode == 2 &&
        !clock.AutoLaunched) {
        clock.AutoLaunched = true;
        tick.LaunchMain = true;
    }
    if (clock.Ticks > displayTicks) {
        if (autoLaunchMode == 3) {
            tick.LaunchMain = true;
        }
        tick.PeriodOver = true;
        clock.Running = false;
    }
    return tick;
}

} // namespace carvelle::launcher
