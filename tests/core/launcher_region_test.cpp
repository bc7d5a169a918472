#include "launcher/region_text.h"

#include <gtest/gtest.h>

#include <random>

namespace carvelle::launcher {
namespace {

// Which pixels of a width x height rectangle the rectangles cover, checking on the way that
// they are y-x banded the way a window system's region wants them.
std::vector<bool> Coverage(const std::vector<RegionRect>& rects, int width, int height) {
    std::vector<bool> covered(static_cast<std::size_t>(width * height), false);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const RegionRect& r = rects[i];
        EXPECT_TRUE(r.Left < r.Right && r.Top < r.Bottom) << "empty rectangle " << i;
        EXPECT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Right <= width && r.Bottom <= height) << i;
        if (i > 0) {
            const RegionRect& p = rects[i - 1];
            const bool sameBand = p.Top == r.Top;
            EXPECT_TRUE(sameBand ? p.Bottom == r.Bottom && p.Right < r.Left : p.Bottom <= r.Top)
                << "not banded at " << i;
        }
        for (int y = r.Top; y < r.Bottom; ++y) {
            for (int x = r.Left; x < r.Right; ++x) {
                covered[static_cast<std::size_t>(y * width + x)] = true;
            }
        }
    }
    return covered;
}

TEST(LauncherRegion, SpansCutTheirOwnRowOnly) {
    const auto region = ParseRegionText("06400480Y000200100020");
    ASSERT_TRUE(region);
    EXPECT_EQ(region->Width, 640);
    EXPECT_EQ(region->Height, 480);
    EXPECT_EQ(region->Spans, (std::vector<RegionSpan>{{2, 10, 20}}));
    EXPECT_EQ(KeptRectangles(*region),
              (std::vector<RegionRect>{
                  {0, 0, 640, 1}, {0, 1, 10, 2}, {20, 1, 640, 2}, {0, 2, 640, 480}}));

    // Spans before any marker belong to row 1; a marker holds for every span after it.
    const auto rows = ParseRegionText("0010000400000002Y00030001000200050007");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->Spans, (std::vector<RegionSpan>{{1, 0, 2}, {3, 1, 2}, {3, 5, 7}}));

    // Eight characters: the full rectangle.
    const auto plain = ParseRegionText("00070003");
    ASSERT_TRUE(plain);
    EXPECT_TRUE(plain->Spans.empty());
    EXPECT_EQ(KeptRectangles(*plain), (std::vector<RegionRect>{{0, 0, 7, 3}}));
}

TEST(LauncherRegion, CutsAreClippedMergedAndEqualRowsShareOneBand) {
    RegionText region{10, 6, {}};
    region.Spans = {
        {2, 6, 8},  {2, 1, 3},  {2, 2, 4},   // overlapping and out of order
        {3, 1, 4},  {3, 6, 8},               // the same columns as row 2
        {4, 0, 99},                          // the whole row, clipped
        {5, 5, 5},  {5, 7, 3},               // empty spans
        {0, 0, 10}, {9, 0, 10}, {-3, 0, 10}, // rows outside the rectangle
    };
    EXPECT_EQ(KeptRectangles(region),
              (std::vector<RegionRect>{
                  {0, 0, 10, 1}, {0, 1, 1, 3}, {4, 1, 6, 3}, {8, 1, 10, 3}, {0, 4, 10, 6}}));
    EXPECT_TRUE(KeptRectangles(RegionText{0, 5, {}}).empty());
}

TEST(LauncherRegion, MalformedTextsAreRefused) {
    for (const char* text : {"", "0640", "064O0480", "06400480Y00x200100020", "06400480001",
                             "06400480Y0002", "0640 480", "06400480-0010020"}) {
        EXPECT_FALSE(ParseRegionText(text)) << text;
    }
    // One stray character at the end is never read, as before.
    EXPECT_TRUE(ParseRegionText("00640048Z"));
}

TEST(LauncherRegion, TextMadeFromPixelsCutsExactlyThatColour) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        const int width = 1 + static_cast<int>(random() % 23);
        const int height = 1 + static_cast<int>(random() % 17);
        Frame frame{width, height, {}};
        for (int i = 0; i < width * height; ++i) {
            // The top byte is not part of the colour.
            frame.Pixels.push_back(random() % 3 == 0 ? 0xFF00FF | (random() % 2) << 24
                                                     : static_cast<std::uint32_t>(random() % 4));
        }
        const auto text = MakeRegionText(frame, 0xFF00FF);
        ASSERT_TRUE(text);
        const auto region = ParseRegionText(*text);
        ASSERT_TRUE(region) << *text;
        EXPECT_EQ(region->Width, width);
        EXPECT_EQ(region->Height, height);
        const std::vector<bool> kept = Coverage(KeptRectangles(*region), width, height);
        for (int i = 0; i < width * height; ++i) {
            EXPECT_EQ(kept[static_cast<std::size_t>(i)],
                      (frame.Pixels[static_cast<std::size_t>(i)] & 0xFFFFFF) != 0xFF00FF)
                << "pixel " << i << " of " << *text;
        }
    }
    const Frame small{2, 1, {0xFF00FF, 1}};
    EXPECT_EQ(MakeRegionText(small, 0xFF00FF), "00020001Y000100000001");
    EXPECT_EQ(MakeRegionText(small, std::nullopt), "00020001");
    EXPECT_FALSE(MakeRegionText(Frame{10000, 0, {}}, std::nullopt)) << "five digits do not fit";
}

TEST(LauncherRegion, ManySpansMakeValidBands) {
    // A dithered outline: every other pixel of 200 rows cut, 20,000 spans.
    RegionText region{400, 300, {}};
    for (int row = 1; row <= 200; ++row) {
        for (int x = row % 2; x < 200; x += 2) {
            region.Spans.push_back({row, x, x + 1});
        }
    }
    const std::vector<RegionRect> rects = KeptRectangles(region);
    const std::vector<bool> kept = Coverage(rects, 400, 300);
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            const bool cut = y < 200 && x < 200 && (x % 2) == ((y + 1) % 2);
            ASSERT_EQ(kept[static_cast<std::size_t>(y * 400 + x)], !cut) << x << "," << y;
        }
    }
}

} // namespace
} // namespace carvelle::launcher
