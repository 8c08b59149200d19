#include "core/amplitudebars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using tavelo::isDrawable;
using tavelo::spectrumBars;
using tavelo::AmplitudeStep;

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

TEST(SpectrumAsAControl, TheTermUnderAPointIsTheBarNearestToIt)
{
    for (const int N : {1, 2, 15, 250}) {
        SCOPED_TRACE(N);
        const std::vector<double> A(std::size_t(N) + 1, 0.5);
        const std::vector<tavelo::SpectrumBar> bars = tavelo::spectrumBars(N, A, 1, kWidth, kHeight);
        const double spacing = (kWidth - 100) / N;
        for (int i = 1; i <= N; ++i) {
            const double x = bars[std::size_t(i - 1)].barX;
            EXPECT_EQ(tavelo::spectrumTermAt(x, N, kWidth), i);
            EXPECT_EQ(tavelo::spectrumTermAt(x - 0.49 * spacing, N, kWidth), i);
            EXPECT_EQ(tavelo::spectrumTermAt(x + 0.49 * spacing, N, kWidth), i);
        }
        // Left of the first bar and right of the last: the bars at the ends.
        EXPECT_EQ(tavelo::spectrumTermAt(-50, N, kWidth), 1);
        EXPECT_EQ(tavelo::spectrumTermAt(kWidth, N, kWidth), N);
    }
    EXPECT_EQ(tavelo::spectrumTermAt(500, 0, kWidth), 0);
}

TEST(SpectrumAsAControl, TheAmplitudeUnderAPointReachesThere)
{
    struct Case {
        double y;
        double H;
        double A;
    };
    const Case cases[] = {
        {kHeight, 1, 0},                // the base line
        {0, 1, 1},                      // the top edge
        {0, 2.5, 2.5},
        {kHeight * (1 - 0.333), 1, 0.33}, // to a hundredth of H
        {kHeight * (1 - 0.337), 3, 1.02},
        {kHeight / 2, -2, 1},           // H as its magnitude
        {-400, 1, 1},                   // above the area: held at H
        {kHeight + 400, 1, 0},          // below it: held at 0
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(tavelo::spectrumAmplitudeAt(c.y, c.H, kHeight), c.A) << "y = " << c.y << ", H = " << c.H;
    // The bar of the amplitude found reaches the point it was found at.
    const std::vector<double> A{0, tavelo::spectrumAmplitudeAt(kHeight * 0.25, 1, kHeight)};
    const tavelo::SpectrumBar bar = tavelo::spectrumBars(1, A, 1, kWidth, kHeight).front();
    EXPECT_NEAR(bar.baseY + bar.deltaY, kHeight * 0.25, 1e-3);
}

TEST(SpectrumAsAControl, KeysStepTheAmplitudeAndDownStopsAtZero)
{
    struct Case {
        double A;
        double H;
        AmplitudeStep step;
        double changed;
    };
    const Case cases[] = {
        {0.3, 1, AmplitudeStep::Up, 0.35},     {0.3, 1, AmplitudeStep::Down, 0.25},
        {0.3, 2, AmplitudeStep::FineUp, 0.32}, {0.3, 2, AmplitudeStep::FineDown, 0.28},
        {0.5, 2, AmplitudeStep::PageUp, 1},    {0.4, 1, AmplitudeStep::PageDown, 0.15},
        {0.02, 1, AmplitudeStep::Down, 0},     {0, 1, AmplitudeStep::PageDown, 0},
        {-0.5, 1, AmplitudeStep::Down, -0.5},  {-0.5, 1, AmplitudeStep::Up, -0.45},
        {1, -4, AmplitudeStep::Up, 1.2},       {1.7e308, 1e308, AmplitudeStep::PageUp, 1.7e308},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(tavelo::steppedAmplitude(c.A, c.H, c.step), c.changed, 1e-15)
            << "A = " << c.A << ", H = " << c.H << ", step " << int(c.step);
    }
}

} // namespace
