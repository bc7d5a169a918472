#include "common/cursor_file.h"
#include "test_support.h"

namespace carvelle {
namespace {

std::vector<std::uint8_t> Fixture(const char* name) {
    const std::string bytes =
        test::ReadFile(std::filesystem::path(CARVELLE_FIXTURES) / "images" / name);
    return {bytes.begin(), bytes.end()};
}

TEST(CursorFileTest, HotspotComesFromTheDirectory) {
    CursorHotspot hotspot;
    ASSERT_TRUE(ReadCursorHotspot(Fixture("pointer.cur"), hotspot));
    EXPECT_EQ(hotspot, (CursorHotspot{5, 7}));
    EXPECT_FALSE(ReadCursorHotspot(Fixture("busy.ani"), hotspot));
    EXPECT_FALSE(ReadCursorHotspot(std::vector<std::uint8_t>(10, 0), hotspot));
}

TEST(CursorFileTest, AnimatedCursorFramesStepsAndRates) {
    AnimatedCursor cursor;
    ASSERT_TRUE(ReadAnimatedCursor(Fixture("busy.ani"), cursor));
    ASSERT_EQ(cursor.Frames.size(), 3u);
    EXPECT_EQ(cursor.StepFrames, (std::vector<int>{0, 1, 2, 1}));
    EXPECT_EQ(cursor.StepJiffies, (std::vector<int>{6, 12, 18, 12}));
    CursorHotspot hotspot;
    ASSERT_TRUE(ReadCursorHotspot(cursor.Frames[1], hotspot));
    EXPECT_EQ(hotspot, (CursorHotspot{16, 16}));

    ASSERT_TRUE(ReadAnimatedCursor(Fixture("plain.ani"), cursor));
    EXPECT_EQ(cursor.StepFrames, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(cursor.StepJiffies, (std::vector<int>{15, 15, 15}));

    // Every truncation is refused or read without reaching past the end.
    const auto whole = Fixture("busy.ani");
    for (std::size_t cut = 0; cut < whole.size(); cut += 97) {
        AnimatedCursor part;
        ReadAnimatedCursor(std::span(whole).first(cut), part);
        for (int frame : part.StepFrames) {
            EXPECT_LT(static_cast<std::size_t>(frame), part.Frames.size());
        }
    }
    EXPECT_FALSE(ReadAnimatedCursor(Fixture("pointer.cur"), cursor));
}

} // namespace
} // namespace carvelle
