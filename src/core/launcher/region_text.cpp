#include "region_text.h"

#include <algorithm>
#include <cstdio>

namespace carvelle::launcher {

namespace {

// A group of up to four characters from `position`, cut short by the end of the text.
std::optional<std::int32_t> Number(const std::string& text, std::size_t position) {
    if (position >= text.size()) {
        return std::nullopt;
    }
    const std::size_t end = std::min(text.size(), position + 4);
    std::int32_t value = 0;
    for (std::size_t i = position; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::string FourDigits(std::int32_t value) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", static_cast<int>(value));
    return digits;
}

using Interval = std::pair<std::int32_t, std::int32_t>;

// The columns of [0, width) that the sorted cut intervals leave.
std::vector<Interval> KeptColumns(const std::vector<Interval>& cuts, std::int32_t width) {
    std::vector<Interval> kept;
    std::int32_t x = 0;
    for (const auto& [from, to] : cuts) {
        if (from > x) {
            kept.emplace_back(x, from);
        }
        x = std::max(x, to);
    }
    if (x < width) {
        kept.emplace_back(x, width);
    }
    return kept;
}

} // namespace

std::optional<RegionText> ParseRegionText(const std::string& text) {
    RegionText region;
    const auto width = Number(text, 0);
    const auto height = text.size() > 4 ? Number(text, 4) : std::nullopt;
    if (!width || !height) {
        return std::nullopt;
    }
    region.Width = *width;
    region.Height = *height;
    std::int32_t row = 1;
    std::size_t p = 8;
    while (p + 1 < text.size()) {
        if (text[p] == 'Y') {
            const auto marker = Number(text, p + 1);
            if (!marker) {
                return std::nullopt;
            }
            row = *marker;
            p += 5;
        }
        const auto x1 = Number(text, p);
        const auto x2 = Number(text, p + 4);
        if (!x1 || !x2) {
            return std::nullopt;
        }
        region.Spans.push_back({row, *x1, *x2});
        p += 8;
    }
    return region;
}

std::vector<RegionRect> KeptRectangles(const RegionText& region) {
    std::vector<RegionRect> rects;
    const std::int32_t width = region.Width;
    const std::int32_t height = region.Height;
    if (width <= 0 || height <= 0) {
        return rects;
    }
    // Cuts clipped to the rectangle, as (pixel row, from, to), sorted.
    std::vector<std::pair<std::int32_t, Interval>> cuts;
    cuts.reserve(region.Spans.size());
    for (const RegionSpan& span : region.Spans) {
        const std::int32_t y = span.Row - 1;
        const std::int32_t from = std::max(span.X1, 0);
        const std::int32_t to = std::min(span.X2, width);
        if (y >= 0 && y < height && from < to) {
            cuts.push_back({y, {from, to}});
        }
    }
    std::sort(cuts.begin(), cuts.end());

    std::vector<Interval> bandColumns{{0, width}};
    std::int32_t bandTop = 0;
    auto closeBand = [&](std::int32_t bottom) {
        if (bottom > bandTop) {
            for (const auto& [from, to] : bandColumns) {
                rects.push_back({from, bandTop, to, bottom});
            }
        }
    };
    auto startRow = [&](std::int32_t y, std::vector<Interval> columns) {
        if (columns != bandColumns) {
            closeBand(y);
            bandTop = y;
            bandColumns = std::move(columns);
        }
    };
    std::int32_t nextRow = 0;
    for (std::size_t i = 0; i < cuts.size();) {
        const std::int32_t y = cuts[i].first;
        if (y > nextRow) {
            startRow(nextRow, {{0, width}}); // untouched rows between cut rows
        }
        std::vector<Interval> rowCuts;
        for (; i < cuts.size() && cuts[i].first == y; ++i) {
            rowCuts.push_back(cuts[i].second);
        }
        startRow(y, KeptColumns(rowCuts, width));
        nextRow = y + 1;
    }
    if (nextRow < height) {
        startRow(nextRow, {{0, width}});
    }
    closeBand(height);
    return rects;
}

std::optional<std::string> MakeRegionText(const Frame& frame,
                                          std::optional<std::uint32_t> cutColour) {
    if (frame.Width < 0 || frame.Height < 0 || frame.Width > 9999 || frame.Height > 9999 ||
        frame.Pixels.size() !=
            static_cast<std::size_t>(frame.Width) * static_cast<std::size_t>(frame.Height)) {
        return std::nullopt;
    }
    std::string text = FourDigits(frame.Width) + FourDigits(frame.Height);
    if (!cutColour) {
        return text;
    }
    const std::uint32_t colour = *cutColour & 0xFFFFFF;
    for (std::int32_t y = 0; y < frame.Height; ++y) {
        const std::uint32_t* row = frame.Pixels.data() + static_cast<std::size_t>(y) *
                                                             static_cast<std::size_t>(frame.Width);
        bool marked = false;
        for (std::int32_t x = 0; x < frame.Width;) {
            if ((row[x] & 0xFFFFFF) != colour) {
                ++x;
                continue;
            }
            const std::int32_t from = x;
            while (x < frame.Width && (row[x] & 0xFFFFFF) == colour) {
                ++x;
            }
            if (!marked) {
                text += 'Y';
                text += FourDigits(y + 1);
                marked = true;
            }
            text += FourDigits(from);
            text += FourDigits(x);
        }
    }
    return text;
}

} // namespace carvelle::launcher
