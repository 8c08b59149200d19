#include "core/amplitudebars.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using tavelo::isDrawable;
using tavelo::spectrumBars;

constexpr double kWidth = 3255;
constexpr double kHeight = 2055;

TEST(SpectrumBars, WorkedExampleForTheDesignedBox)
{
    const auto bars = spectrumBars(3, {0, 1, 0.5, 0.25}, 1, kWidth, kHeight);
    ASSERT_EQ(bars.size(), 3u);
    const float expectedX[] = {1051.6666259765625f, 2103.333251953125f, 3155.0f};
    const float expectedDelta[] = {-2055.0f, -1027.5f, -513.75f};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(bars[i].barX, expectedX[i]) << i;
        EXPECT_EQ(bars[i].baseY, 2055.0f) << i;
        EXPECT_EQ(bars[i].deltaY, expectedDelta[i]) << i;
    }
}

TEST(SpectrumBars, PlacesAndScalesEveryBar)
{
    const auto one = spectrumBars(1, {0, 2}, -1, kWidth, kHeight);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].barX, 3155.0f);
    EXPECT_EQ(one[0].deltaY, -4110.0f); // twice H runs over the top edge
    EXPECT_EQ(spectrumBars(1, {0, 2}, 1, kWidth, kHeight)[0].deltaY, one[0].deltaY);

    std::vector<double> amplitudes(251, 0.5);
    const auto many = spectrumBars(250, amplitudes, 1, kWidth, kHeight);
    ASSERT_EQ(many.size(), 250u);
    EXPECT_EQ(many.front().barX, static_cast<float>(3155.0 / 250));
    EXPECT_EQ(many.back().barX, 3155.0f);
    EXPECT_EQ(many.back().deltaY, -1027.5f);

    const auto signs = spectrumBars(2, {0, 0, -1}, 1, kWidth, kHeight);
    EXPECT_EQ(signs[0].deltaY, 0.0f);
    EXPECT_EQ(signs[1].deltaY, 2055.0f); // runs down, out of the drawing area
}

TEST(SpectrumBars, NoBarsBelowOneTerm)
{
    EXPECT_TRUE(spectrumBars(0, {0, 1}, 1, kWidth, kHeight).empty());
    EXPECT_TRUE(spectrumBars(-3, {0, 1}, 1, kWidth, kHeight).empty());
    EXPECT_TRUE(spectrumBars(std::nan(""), {0, 1}, 1, kWidth, kHeight).empty());
    EXPECT_EQ(spectrumBars(5, {0, 1, 1}, 1, kWidth, kHeight).size(), 2u); // bounded by A
}

TEST(SpectrumBars, MarksBarsThatDoNotFitAndKeepsTheOthers)
{
    struct Row {
        const char* name;
        double amplitude;
        double H;
    };
    const Row rows[] = {
        {"beyond single precision", 1e36, 1},
        {"beyond double precision", 1e308, 1e-10},
        {"zero H", 1, 0},
        {"zero over zero", 0, 0},
    };
    for (const Row& row : rows) {
        const auto bars = spectrumBars(2, {0, row.amplitude, 0}, row.H, kWidth, kHeight);
        ASSERT_EQ(bars.size(), 2u) << row.name;
        EXPECT_FALSE(isDrawable(bars[0])) << row.name;
        EXPECT_EQ(bars[1].barX, 3155.0f) << row.name;
    }
    // Just inside the single range is still drawable.
    const auto edge = spectrumBars(1, {0, 3.4e38}, kHeight, kWidth, kHeight);
    EXPECT_TRUE(isDrawable(edge[0]));
    EXPECT_EQ(edge[0].deltaY, -3.4e38f);
}

} // namespace
