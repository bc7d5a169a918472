#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace carvelle {

struct CursorHotspot {
    int X = 0;
    int Y = 0;
    bool operator==(const CursorHotspot&) const = default;
};

// The hotspot of the first image of a cursor file (.cur); false when the bytes are not one.
bool ReadCursorHotspot(std::span<const std::uint8_t> bytes, CursorHotspot& hotspot);

// An animated cursor (.ani): its frames, each a whole .cur file, and the frame shown at each
// step with its duration in jiffies (1/60 s).
struct AnimatedCursor {
    std::vector<std::vector<std::uint8_t>> Frames;
    std::vector<int> StepFrames;
    std::vector<int> StepJiffies;
};

// False when the bytes are not a well-formed animated cursor.
bool ReadAnimatedCursor(std::span<const std::uint8_t> bytes, AnimatedCursor& cursor);

} // namespace carvelle
