#include "background_gradient.h"

#include <algorithm>
#include <utility>

namespace carvelle {

namespace {

std::uint8_t Channel(std::uint8_t a, std::uint8_t b, std::int64_t i, std::int64_t n) {
    if (n <= 0) {
        return a;
    }
    // a + (b - a) * i / n with the division rounded to nearest, halves to even.
    const std::int64_t numerator = static_cast<std::int64_t>(b - a) * i;
    std::int64_t quotient = numerator / n;
    std::int64_t remainder = numerator % n;
    if (remainder < 0) {
        remainder += n;
        --quotient;
    }
    const std::int64_t twice = 2 * remainder;
    if (twice > n || (twice == n && quotient % 2 != 0)) {
        ++quotient;
    }
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(a + quotient, 0, 255));
}

} // namespace

Rgb InterpolateRgb(Rgb a, Rgb b, std::int64_t i, std::int64_t n) {
    return {Channel(a.Red, b.Red, i, n), Channel(a.Green, b.Green, i, n),
            Channel(a.Blue, b.Blue, i, n)};
}

bool BackgroundGradientRuns(std::uint8_t style) {
    return style >= 1 && style <= 8;
}

bool BackgroundGradientInRows(std::uint8_t style) {
    return style == 1 || style == 2 || style == 5 || style == 7;
}

std::vector<Rgb> BackgroundGradientLines(std::uint8_t style, Rgb a, Rgb b, std::int32_t width,
                                         std::int32_t height) {
    if (!BackgroundGradientRuns(style)) {
        return {};
    }
    const std::int32_t count = std::max(0, BackgroundGradientInRows(style) ? height : width);
    std::vector<Rgb> lines(static_cast<std::size_t>(count));
    if (style >= 7) {
        std::swap(a, b); // the middle styles with the colours exchanged
    }
    switch (style) {
    case 1:
    case 3:
        for (std::int32_t i = 0; i < count; ++i) {
            lines[static_cast<std::size_t>(i)] = InterpolateRgb(a, b, i, count);
        }
        break;
    case 2:
    case 4:
        for (std::int32_t i = 0; i < count; ++i) {
            lines[static_cast<std::size_t>(count - 1 - i)] = InterpolateRgb(a, b, i, count);
        }
        break;
    default: {
        // A in the middle line, B towards both ends.
        const std::int32_t half = count / 2;
        for (std::int32_t i = 0; i < half; ++i) {
            lines[static_cast<std::size_t>(half - 1 - i)] = InterpolateRgb(a, b, i, half);
        }
        for (std::int32_t line = half; line < count; ++line) {
            lines[static_cast<std::size_t>(line)] = InterpolateRgb(a, b, line - half, half);
        }
    }
    }
    return lines;
}

} // namespace carvelle
