#include "common/background_gradient.h"

#include <gtest/gtest.h>

namespace carvelle {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlue{0, 0, 255};

TEST(BackgroundGradientTest, StepsRoundToNearestWithHalvesToEven) {
    EXPECT_EQ(InterpolateRgb({0, 0, 0}, {1, 3, 5}, 1, 2), (Rgb{0, 2, 2}));    // 0.5, 1.5, 2.5
    EXPECT_EQ(InterpolateRgb({10, 10, 10}, {0, 0, 0}, 1, 4), (Rgb{8, 8, 8})); // 7.5 -> 8
    EXPECT_EQ(InterpolateRgb(kWhite, kBlue, 0, 7), kWhite);
    EXPECT_EQ(InterpolateRgb(kWhite, kBlue, 7, 7), kBlue);
}

TEST(BackgroundGradientTest, DirectionsPutColourAWhereTheyStart) {
    const auto down = BackgroundGradientLines(1, kWhite, kBlue, 10, 4);
    ASSERT_EQ(down.size(), 4u);
    EXPECT_EQ(down.front(), kWhite);
    EXPECT_EQ(down[2], InterpolateRgb(kWhite, kBlue, 2, 4));
    const auto up = BackgroundGradientLines(2, kWhite, kBlue, 10, 4);
    EXPECT_EQ(up.back(), kWhite);
    EXPECT_EQ(up.front(), InterpolateRgb(kWhite, kBlue, 3, 4));
    EXPECT_EQ(BackgroundGradientLines(3, kWhite, kBlue, 6, 4).size(), 6u);
    EXPECT_EQ(BackgroundGradientLines(4, kWhite, kBlue, 6, 4).back(), kWhite);
    EXPECT_TRUE(BackgroundGradientLines(0, kWhite, kBlue, 6, 4).empty());
}

TEST(BackgroundGradientTest, MiddleStylesOnAnOddHeight) {
    const auto lines = BackgroundGradientLines(5, kWhite, kBlue, 10, 11);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[5], kWhite); // the middle line is A
    EXPECT_EQ(lines[4], kWhite);
    EXPECT_EQ(lines[0], InterpolateRgb(kWhite, kBlue, 4, 5)); // nearly B at the top
    EXPECT_EQ(lines[10], kBlue);                              // B at the bottom
    // The exchanged style puts B in the middle.
    const auto swapped = BackgroundGradientLines(7, kWhite, kBlue, 10, 11);
    EXPECT_EQ(swapped[5], kBlue);
    EXPECT_EQ(swapped[10], kWhite);
    EXPECT_EQ(BackgroundGradientLines(6, kWhite, kBlue, 9, 1)[4], kWhite);
    EXPECT_EQ(BackgroundGradientLines(5, kWhite, kBlue, 10, 1), std::vector<Rgb>{kWhite});
}

} // namespace
} // namespace carvelle
