// The spectrum as a control: the term and amplitude under a point are the
// inverse of the bars' geometry, and the keys' steps.

#include "core/amplitudebars.h"
#include "core/spectrumcontrol.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tavelo::AmplitudeStep;

// The designed spectrum area's outer size, in its own units.
constexpr double kWidth = 3255;
constexpr double kHeight = 2055;

TEST(SpectrumControl, TheTermUnderAPointIsTheBarNearestToIt)
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

TEST(SpectrumControl, TheAmplitudeUnderAPointReachesThere)
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

TEST(SpectrumControl, KeysStepTheAmplitudeAndDownStopsAtZero)
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
