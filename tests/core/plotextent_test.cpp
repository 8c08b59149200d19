#include "core/plotextent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(CoveringCoordinate, RoundsUpToTwoSignificantDigits)
{
    struct Row {
        double magnitude;
        double covering;
    };
    const double infinity = std::numeric_limits<double>::infinity();
    for (const Row row : {Row{2.004, 2.1}, Row{0.95, 0.95}, Row{0.951, 0.96}, Row{9.96, 10}, Row{1.5, 1.5},
                          Row{1.57, 1.6}, Row{0.001, 0.001}, Row{123456, 130000}, Row{0, 0}, Row{-1, 0},
                          Row{infinity, 0}}) {
        EXPECT_EQ(tavelo::coveringCoordinate(row.magnitude), row.covering) << row.magnitude;
    }
}

TEST(LargestDrawnMagnitude, TakesTheColumnsThePlotDraws)
{
    // One cosine term of amplitude -2: its magnitude is 2 at the first point.
    const tavelo::HarmonicParams cosine{1, {0, -2}, {0, 0}, 2, 1, false};
    EXPECT_EQ(tavelo::largestDrawnMagnitude(cosine, 657), 2.0);
    // A sine over a width of one column reaches only its value at column 1.
    const tavelo::HarmonicParams sine{1, {0, 1}, {0, 0}, 0.25, 1, true};
    EXPECT_EQ(tavelo::largestDrawnMagnitude(sine, 1), std::sin(6.283 * 0.25));
    // A sum beyond the double range has no magnitude.
    const tavelo::HarmonicParams overflow{2, {0, 1e308, 1e308}, {0, 0, 0}, 2, 1, false};
    EXPECT_EQ(tavelo::largestDrawnMagnitude(overflow, 657), std::nullopt);
}

} // namespace
