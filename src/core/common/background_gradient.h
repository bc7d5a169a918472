#pragma once

#include <cstdint>
#include <vector>

namespace carvelle {

struct Rgb {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The colour of step i of n between a and b: a + (b - a) * i / n per channel, rounded to the
// nearest integer, halves to even.
Rgb InterpolateRgb(Rgb a, Rgb b, std::int64_t i, std::int64_t n);

// Page background gradients: 0 none, 1 top-bottom, 2 bottom-top, 3 left-right, 4 right-left,
// 5 middle-top-bottom, 6 middle-left-right, 7 top-bottom-middle, 8 left-right-middle.
bool BackgroundGradientRuns(std::uint8_t style);
// Whether each line of the gradient is a row (styles 1, 2, 5, 7) rather than a column.
bool BackgroundGradientInRows(std::uint8_t style);
// The colour of every row (or column) of a width x height background, A = the back colour.
std::vector<Rgb> BackgroundGradientLines(std::uint8_t style, Rgb a, Rgb b, std::int32_t width,
                                         std::int32_t height);

} // namespace carvelle
