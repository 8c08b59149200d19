// The places a listener jumps to on a plotted curve, on the curves a lesson
// draws: the square wave's partial sum, a sine and the zero sum.

#include "core/curvelandmarks.h"
#include "core/series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using tavelo::Heading;

constexpr double kW = 657;
constexpr double kP = 2;

// The sum as a plot of kP periods over kW columns draws it.
std::vector<double> plotted(const std::vector<double>& A)
{
    tavelo::HarmonicParams params;
    params.N = double(A.size() - 1);
    params.A = A;
    params.Fi.assign(A.size(), 0.0);
    params.P = kP;
    params.sinBasis = true;
    std::vector<double> values;
    for (int x = 0; x <= int(kW); ++x)
        values.push_back(*tavelo::SeriesValue(params, x, kW));
    return values;
}

std::vector<double> square15()
{
    std::vector<double> A(16, 0.0);
    for (int n = 1; n <= 15; n += 2)
        A[std::size_t(n)] = 1.0 / n;
    return plotted(A);
}

double periodsAt(int column)
{
    return column * kP / kW;
}

// A hundredth of a period, in columns.
constexpr int kWindow = 3;

TEST(CurveLandmarks, SquareWaveCrossesAndJumpsEveryHalfPeriod)
{
    const std::vector<double> values = square15();
    std::vector<double> crossed;
    std::vector<bool> upward;
    for (auto c = tavelo::nextZeroCrossing(values, -1, Heading::Forward); c;
         c = tavelo::nextZeroCrossing(values, c->column, Heading::Forward)) {
        crossed.push_back(periodsAt(c->column));
        upward.push_back(c->upward);
    }
    ASSERT_EQ(crossed.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(crossed[i], 0.5 * double(i), kP / kW) << i;
        EXPECT_EQ(upward[i], i % 2 == 0) << i;
    }

    std::vector<tavelo::Jump> jumped;
    for (auto j = tavelo::nextJump(values, kWindow, -1, Heading::Forward); j;
         j = tavelo::nextJump(values, kWindow, j->column, Heading::Forward))
        jumped.push_back(*j);
    // Every half period, and half a jump back to 0 at the right edge.
    ASSERT_EQ(jumped.size(), 5u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(periodsAt(jumped[i].column), 0.5 * double(i), 1.5 * kP / kW) << i;
        EXPECT_GT(std::abs(jumped[i].size), 0.5) << i;
        EXPECT_EQ(jumped[i].size > 0, i % 2 == 0) << i;
    }
    EXPECT_NEAR(periodsAt(jumped[4].column), 2, 1.5 * kP / kW);

    // Going back from the middle finds the same places.
    EXPECT_EQ(tavelo::nextZeroCrossing(values, 300, Heading::Backward)->column,
              tavelo::nextZeroCrossing(values, 100, Heading::Forward)->column);
    EXPECT_EQ(tavelo::nextJump(values, kWindow, 300, Heading::Backward)->column,
              tavelo::nextJump(values, kWindow, 100, Heading::Forward)->column);
}

TEST(CurveLandmarks, TheFirstExtremeOfTheSquareWaveIsItsGibbsPeak)
{
    const std::vector<double> values = square15();
    const auto first = tavelo::nextExtreme(values, 0, Heading::Forward);
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->maximum);
    // The partial sum of 8 odd terms peaks first at a 32nd of a period.
    EXPECT_NEAR(periodsAt(first->column), 1.0 / 32, kP / kW);
    const tavelo::CurveSummary summary = tavelo::summarize(values);
    // Every period's peak is drawn at a column of its own: the highest of
    // them is the first within a thousandth.
    EXPECT_NEAR(summary.highest, first->value, 1e-3 * first->value);
    const double inHalf = std::fmod(periodsAt(summary.highestColumn), 0.5);
    EXPECT_NEAR(std::min(inHalf, 0.5 - inHalf), 1.0 / 32, kP / kW); // after a rise or before a fall
    EXPECT_EQ(summary.zeroCrossings, 4);
    // Ripples between: a minimum follows the peak, and nothing lies before it.
    const auto second = tavelo::nextExtreme(values, first->column, Heading::Forward);
    ASSERT_TRUE(second);
    EXPECT_FALSE(second->maximum);
    EXPECT_FALSE(tavelo::nextExtreme(values, first->column, Heading::Backward));
}

TEST(CurveLandmarks, SineHasItsPeaksAndNoJumps)
{
    const std::vector<double> values = plotted({0, 1});
    std::vector<double> peaks;
    for (auto e = tavelo::nextExtreme(values, 0, Heading::Forward); e;
         e = tavelo::nextExtreme(values, e->column, Heading::Forward))
        peaks.push_back(periodsAt(e->column) * (e->maximum ? 1 : -1));
    ASSERT_EQ(peaks.size(), 4u);
    const double expected[] = {0.25, -0.75, 1.25, -1.75};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(peaks[i], expected[i], kP / kW) << i;
    EXPECT_FALSE(tavelo::nextJump(values, kWindow, -1, Heading::Forward));
    const tavelo::CurveSummary summary = tavelo::summarize(values);
    EXPECT_NEAR(summary.rms, std::sqrt(0.5), 1e-3);
    EXPECT_EQ(summary.zeroCrossings, 4);
    EXPECT_NEAR(std::fmod(periodsAt(summary.lowestColumn), 1.0), 0.75, kP / kW);
}

TEST(CurveLandmarks, FlatCurvesHaveNoPlaces)
{
    for (const std::vector<double>& flat : {std::vector<double>(658, 0.0), std::vector<double>{}, std::vector<double>{1}}) {
        EXPECT_FALSE(tavelo::nextExtreme(flat, -1, Heading::Forward));
        EXPECT_FALSE(tavelo::nextZeroCrossing(flat, -1, Heading::Forward));
        EXPECT_FALSE(tavelo::nextJump(flat, kWindow, -1, Heading::Forward));
    }
    EXPECT_EQ(tavelo::summarize(std::vector<double>(658, 0.0)).zeroCrossings, 0);
    // A level top counts once, at its middle; a touch of zero is no crossing.
    const std::vector<double> plateau{0, 1, 2, 2, 2, 1, 0, -1, 0, 1};
    EXPECT_EQ(tavelo::nextExtreme(plateau, 0, Heading::Forward)->column, 3);
    EXPECT_EQ(tavelo::nextExtreme(plateau, 3, Heading::Forward)->column, 7);
    const std::vector<double> touch{1, 0.5, 0, 0.5, 0.2, -1};
    EXPECT_EQ(tavelo::nextZeroCrossing(touch, -1, Heading::Forward)->column, 4);
}

} // namespace
