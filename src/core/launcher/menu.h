#pragma once

#include "launcher/picture_field.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace carvelle::launcher {

// The launcher's tables hold this many alternatives and this many pictures.
constexpr int kMaxMenuActions = 100;
constexpr int kMaxMenuFrames = 100;

struct MenuAction {
    std::string Target;
    std::string Parameters;
    std::int32_t ShowMaximised = 0;
    std::int32_t CloseAfterLaunch = 0;
    std::string Caption;
    bool operator==(const MenuAction&) const = default;
};

// One menu as stored in a package entry. Texts keep their stored Windows-1252 bytes.
struct Menu {
    std::string MenuName; // the package entry it was opened under

    std::array<char, 4> Signature{'M', 'E', 'N', 'U'};
    std::array<std::uint8_t, 2> ReservedBytes{};
    std::int16_t FrameCount = 0; // as stored; Frames holds those that loaded

    std::int32_t ShapeColourIndex = 0; // as stored
    std::uint32_t ShapeColour = 0;     // converted at load; shaping is on when above 0
    std::int32_t NoFrameRegions = 0;
    std::int32_t Position = 0;
    std::int32_t DisplayTicks = 0;
    std::int32_t AutoLaunchMode = 0;
    std::int32_t FrameInterval = 0;
    std::int32_t AnimationMode = 0;
    std::array<std::int32_t, 6> ReservedSettings{};

    std::string ViewersCaption;
    std::string ViewersText;

    // Index 0 is the main action, 1..ActionCount() the alternatives.
    std::vector<MenuAction> Actions = std::vector<MenuAction>(1);

    // The pictures that loaded, in order, each with its region text.
    std::vector<Frame> Frames;
    std::vector<std::string> FrameRegions;

    int ActionCount() const { return static_cast<int>(Actions.size()) - 1; }
    int LoadedFrames() const { return static_cast<int>(Frames.size()); }
    bool ShapingOn() const { return ShapeColour > 0; }
};

} // namespace carvelle::launcher
