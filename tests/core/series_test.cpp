#include "core/series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

using tavelo::ColumnY;
using tavelo::EvaluateSeries;
using tavelo::HarmonicParams;
using tavelo::NumericFault;
using tavelo::SeriesValue;

HarmonicParams params(int n, bool sinBasis, double P = 2)
{
    HarmonicParams p;
    p.N = n;
    p.A.assign(static_cast<std::size_t>(n) + 1, 0.0);
    p.Fi.assign(static_cast<std::size_t>(n) + 1, 0.0);
    p.P = P;
    p.Amax = 1;
    p.sinBasis = sinBasis;
    return p;
}

static_assert(tavelo::kPhaseFactor == std::numbers::pi, "a phase of 1 is half a turn to the last bit");

TEST(SeriesValue, OneTermAtTheFirstPoint)
{
    HarmonicParams cosine = params(1, false);
    cosine.A[1] = 1;
    HarmonicParams sine = cosine;
    sine.sinBasis = true;
    EXPECT_EQ(SeriesValue(cosine, 0, 657), 1.0);
    EXPECT_EQ(SeriesValue(sine, 0, 657), 0.0);
}

TEST(SeriesValue, FollowsTheWrittenOperationOrder)
{
    // Three terms with awkward values, evaluated here step by step: the time
    // term (((n * 6.283) * x) * P) / W, the angle pi * Fi + t, then
    // f = Func(angle) * A + f in rising n. Any reordering changes low bits.
    HarmonicParams p = params(3, true, 2.7);
    p.A = {0, 0.3, -1.7, 2.9};
    p.Fi = {0, 0.1, 1.0 / 3, -0.77};
    const double W = 657;
    for (double x : {1.0, 20.0, 333.0, 657.0}) {
        double f = 0;
        for (int n = 1; n <= 3; ++n) {
            const double t = (((n * 6.283) * x) * p.P) / W;
            const double angle = (std::numbers::pi * p.Fi[n]) + t;
            f = (std::sin(angle) * p.A[n]) + f;
        }
        EXPECT_EQ(SeriesValue(p, x, W), f) << "column " << x;
    }
}

TEST(SeriesValue, ZeroAmplitudesAddExactZeros)
{
    HarmonicParams one = params(1, false);
    one.A[1] = 0.8;
    one.Fi[1] = 0.25;
    HarmonicParams many = params(250, false);
    many.A[1] = 0.8;
    many.Fi[1] = 0.25;
    for (double x : {0.0, 1.0, 19.0, 656.0})
        EXPECT_EQ(SeriesValue(many, x, 657), SeriesValue(one, x, 657)) << "column " << x;
}

TEST(SeriesValue, NegativePeriodsMirrorTheSineAndKeepTheCosine)
{
    HarmonicParams cosPlus = params(4, false, 2);
    cosPlus.A = {0, 1, 0.5, 0.25, 0.125};
    HarmonicParams cosMinus = cosPlus;
    cosMinus.P = -2;
    HarmonicParams sinPlus = cosPlus;
    sinPlus.sinBasis = true;
    HarmonicParams sinMinus = sinPlus;
    sinMinus.P = -2;
    for (double x : {1.0, 77.0, 400.0}) {
        EXPECT_EQ(SeriesValue(cosMinus, x, 657), SeriesValue(cosPlus, x, 657));
        EXPECT_EQ(*SeriesValue(sinMinus, x, 657), -*SeriesValue(sinPlus, x, 657));
    }
}

struct FaultCase {
    const char* name;
    double A1, A2, Fi1, P, x, W;
    NumericFault fault;
    double term;
};

TEST(SeriesValue, ReportsTheFirstIntermediateThatIsNotFinite)
{
    const double huge = 1e308;
    const FaultCase cases[] = {
        {"sum of amplitudes overflows", huge, huge, 0, 2, 0, 657, NumericFault::Sum, 2},
        {"time term overflows", 1, 0, 0, 1e306, 657, 657, NumericFault::TimeTerm, 1},
        {"phase times pi overflows", 1, 0, huge, 2, 0, 657, NumericFault::Angle, 1},
        {"phase overflows at a column too", 1, 0, huge, 2, 5, 657, NumericFault::Angle, 1},
        {"zero width divides by zero", 1, 0, 0, 2, 1, 0, NumericFault::TimeTerm, 1},
        {"zero width, zero periods: 0 / 0", 1, 0, 0, 0, 1, 0, NumericFault::TimeTerm, 1},
    };
    for (const FaultCase& c : cases) {
        HarmonicParams p = params(2, false, c.P);
        p.A = {0, c.A1, c.A2};
        p.Fi = {0, c.Fi1, 0};
        const auto evaluation = EvaluateSeries(p, c.x, c.W);
        EXPECT_EQ(evaluation.fault, c.fault) << c.name;
        EXPECT_EQ(evaluation.term, c.term) << c.name;
        EXPECT_FALSE(SeriesValue(p, c.x, c.W).has_value()) << c.name;
    }
}

TEST(SeriesValue, LargeButFiniteValuesAreNoFault)
{
    HarmonicParams p = params(2, false);
    p.A = {0, 1e308, -1e308};
    EXPECT_EQ(SeriesValue(p, 0, 657), 0.0);
    HarmonicParams zeroWidth = params(1, false);
    zeroWidth.A[1] = 1;
    EXPECT_EQ(SeriesValue(zeroWidth, 0, 0), 1.0); // column 0 needs no width
}

TEST(SeriesValue, ReadsNoTermBeyondTheArrays)
{
    HarmonicParams p = params(2, false);
    p.A = {0, 1, 1};
    p.N = 250;
    EXPECT_EQ(SeriesValue(p, 0, 657), 2.0);
}

// One period of a series is the plot's sum where the plot's time term is the
// angle: the first column of a plot, and a quarter and a half period later at
// an exact 2 pi. A sum over one period is the same sum the tone, the limit
// shape and a task's target are made of.
TEST(PeriodSamples, AreTheSeriesOverOnePeriod)
{
    HarmonicParams p = params(3, true, 1);
    p.A = {0, 1, 0.5, 0.25};
    p.Fi = {0, 0.5, 0, 1};
    const std::vector<double> period = tavelo::periodSamples(p, 4);
    ASSERT_EQ(period.size(), 4u);
    EXPECT_EQ(period[0], *SeriesValue(p, 0, 657));
    for (std::size_t k = 0; k < period.size(); ++k) {
        double expected = 0;
        for (int n = 1; n <= 3; ++n)
            expected += p.A[std::size_t(n)] * std::sin(std::numbers::pi * p.Fi[std::size_t(n)] + n * std::numbers::pi / 2 * double(k));
        EXPECT_NEAR(period[k], expected, 1e-15) << "sample " << k;
        EXPECT_EQ(period[k], tavelo::sumAtAngle(p, 2 * std::numbers::pi * double(k) / 4));
    }
    // Terms beyond the shorter of the arrays are not read, as the plot reads none.
    p.Fi.resize(2);
    EXPECT_EQ(tavelo::sumAtAngle(p, 0), 1.0);
    EXPECT_TRUE(tavelo::periodSamples(p, 0).empty());
}

TEST(ColumnY, MapsPlusMinusAmaxOntoTheEdges)
{
    const double Hs = 337;
    EXPECT_EQ(ColumnY(1, Hs, 1), 0.0);
    EXPECT_EQ(ColumnY(0, Hs, 1), 168.5);
    EXPECT_EQ(ColumnY(-1, Hs, 1), Hs);
    EXPECT_EQ(ColumnY(-3, Hs, -3), 0.0); // a negative Amax turns the plot over
    EXPECT_EQ(ColumnY(0.5, Hs, 2), (Hs / 2) - (((Hs * 0.5) / 2) / 2));
    EXPECT_TRUE(std::isinf(ColumnY(1, Hs, 0)));
    EXPECT_TRUE(std::isinf(ColumnY(1e308, Hs, 1))); // Hs * f overflows before the division
}

} // namespace
