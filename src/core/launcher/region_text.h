#pragma once

#include "launcher/picture_field.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace carvelle::launcher {

// One span of a region text: the pixels X1 <= x < X2 of pixel row Row - 1 are cut from the
// window's shape (Row is 1-based, as stored).
struct RegionSpan {
    std::int32_t Row = 1;
    std::int32_t X1 = 0;
    std::int32_t X2 = 0;
    bool operator==(const RegionSpan&) const = default;
};

// A frame's region text: its full rectangle and the spans it removes.
struct RegionText {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<RegionSpan> Spans;
};

// Parses a region text: four digits of width, four of height, then spans of eight digits, each
// optionally preceded by "Y" and a four-digit row. Nullopt when a group is not a number (the
// launcher's conversion error), which includes a text shorter than eight characters.
std::optional<RegionText> ParseRegionText(const std::string& text);

// A rectangle with exclusive right and bottom edges.
struct RegionRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool operator==(const RegionRect&) const = default;
};

// The pixels a region keeps, built in one pass as y-x banded rectangles: sorted by top, then
// left; the rectangles of one band share top and bottom and neither overlap nor touch; rows
// that keep the same columns are merged into one band. Ready for a window system's region.
std::vector<RegionRect> KeptRectangles(const RegionText& region);

// The region text of `frame`: when `cutColour` (0x00RRGGBB) is given, every run of pixels of
// that colour is cut; otherwise the text holds the size alone. Nullopt when a side does not
// fit the four digits the text has for it.
std::optional<std::string> MakeRegionText(const Frame& frame,
                                          std::optional<std::uint32_t> cutColour);

} // namespace carvelle::launcher
