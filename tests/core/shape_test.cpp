// A shape's samples back to the terms of the series, and shapes read from a
// spreadsheet's column.

#include "core/shape.h"
#include "core/shapeanalysis.h"
#include "core/waveforms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double pi = std::numbers::pi;

using tavelo::Waveform;

std::vector<double> sampled(const std::function<double(double)>& shape, int count)
{
    std::vector<double> samples(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        samples[std::size_t(k)] = shape(2 * pi * k / count);
    return samples;
}

// The difference of two phases in units of pi, round the circle: 0 to 1.
double phaseDistance(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 2.0);
    return std::min(d, 2 - d);
}

// The shapes the classic waveforms' series converge to, over one period of
// the fundamental's angle theta in [0, 2 pi), as textbooks give them: the
// value at a jump is the middle of the jump.
struct KnownShape {
    Waveform waveform;
    double (*shape)(double theta);
};

const KnownShape kKnownShapes[] = {
    {Waveform::Square, [](double theta) { return theta == 0 || theta == pi ? 0.0 : theta < pi ? pi / 4 : -pi / 4; }},
    {Waveform::Sawtooth, [](double theta) { return theta == pi ? 0.0 : theta < pi ? theta / 2 : theta / 2 - pi; }},
    {Waveform::Triangle, [](double theta) { return pi * pi / 8 - pi * std::abs(theta < pi ? theta : theta - 2 * pi) / 4; }},
};

TEST(AnalyseShape, RecoversTheClassicWaveformsTermsInEitherBasis)
{
    for (const KnownShape& known : kKnownShapes) {
        const tavelo::WaveformDefinition& table = tavelo::waveformDefinition(known.waveform);
        for (const int count : {657, 4096}) {
            for (const bool sinBasis : {true, false}) {
                SCOPED_TRACE(testing::Message() << int(known.waveform) << ", " << count << " samples, "
                                                << (sinBasis ? "SIN" : "COS"));
                const tavelo::ShapeTerms terms = tavelo::analyseShape(sampled(known.shape, count), sinBasis);
                EXPECT_NEAR(terms.mean, 0, 1e-5); // the samples of a period, not its integral
                // sin x = cos(x - pi/2): the other basis turns every phase by -1/2.
                const double turn = sinBasis == table.sinBasis.value() ? 0 : table.sinBasis.value() ? -0.5 : 0.5;
                for (int n = 1; n <= 20; ++n) {
                    EXPECT_NEAR(terms.A[n], table.amplitude(n), 1e-3) << "n = " << n;
                    if (table.amplitude(n) != 0) {
                        EXPECT_LE(phaseDistance(terms.Fi[n], table.phase(n) + turn), 1e-3) << "n = " << n;
                    }
                    EXPECT_TRUE(terms.Fi[n] >= 0 && terms.Fi[n] < 2) << "n = " << n;
                }
            }
        }
    }
}

TEST(AnalyseShape, LeavesOutTheMeanAndSaysWhenItMatters)
{
    const auto triangle = kKnownShapes[2].shape;
    struct Case {
        double offset;
        bool matters;
    };
    // The triangle's range is pi^2 / 4, about 2.47: 1 % of it is 0.0247.
    for (const Case c : {Case{0.5, true}, Case{-0.03, true}, Case{0.02, false}, Case{0, false}}) {
        SCOPED_TRACE(c.offset);
        const tavelo::ShapeTerms plain = tavelo::analyseShape(sampled(triangle, 4096), false);
        const tavelo::ShapeTerms raised =
            tavelo::analyseShape(sampled([&](double theta) { return triangle(theta) + c.offset; }, 4096), false);
        EXPECT_NEAR(raised.mean, c.offset, 1e-12);
        EXPECT_EQ(raised.meanMatters(), c.matters);
        for (int n = 1; n <= 30; ++n) {
            EXPECT_NEAR(raised.A[n], plain.A[n], 1e-12);
            if (plain.A[n] != 0) {
                EXPECT_EQ(raised.Fi[n], plain.Fi[n]);
            }
        }
    }
}

TEST(AnalyseShape, RandomSeriesComeBackWhole)
{
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> amplitude(0.05, 2);
    std::uniform_real_distribution<double> phase(0, 2);
    for (const bool sinBasis : {true, false}) {
        std::vector<double> A(21);
        std::vector<double> Fi(21);
        for (int n = 1; n <= 20; ++n) {
            A[n] = amplitude(random);
            Fi[n] = phase(random);
        }
        const auto series = [&](double theta) {
            double sum = 0;
            for (int n = 1; n <= 20; ++n)
                sum += A[n] * (sinBasis ? std::sin(pi * Fi[n] + n * theta) : std::cos(pi * Fi[n] + n * theta));
            return sum;
        };
        const tavelo::ShapeTerms terms = tavelo::analyseShape(sampled(series, 4096), sinBasis);
        for (int n = 1; n <= 20; ++n) {
            EXPECT_NEAR(terms.A[n], A[n], 1e-9) << "n = " << n;
            EXPECT_LE(phaseDistance(terms.Fi[n], Fi[n]), 1e-9) << "n = " << n;
        }
        for (int n = 21; n <= 250; ++n)
            EXPECT_EQ(terms.A[n], 0) << "n = " << n;
    }
}

TEST(AnalyseShape, HarmonicsTheSamplesCannotResolveAreZero)
{
    // Eight samples resolve harmonics 1 to 3; the fourth would be a sample's
    // alternation, and every harmonic beyond an alias of one below.
    const tavelo::ShapeTerms terms = tavelo::analyseShape(std::vector<double>{1, -1, 1, -1, 2, 0, 0, 0}, true);
    EXPECT_GT(terms.A[1], 0);
    EXPECT_GT(terms.A[3], 0);
    for (int n = 4; n <= 250; ++n)
        EXPECT_EQ(terms.A[n], 0) << "n = " << n;
    // A flat shape has no terms at all.
    const tavelo::ShapeTerms flat = tavelo::analyseShape(std::vector<double>(100, 3.5), true);
    EXPECT_EQ(flat.mean, 3.5);
    for (int n = 1; n <= 250; ++n)
        EXPECT_EQ(flat.A[n], 0) << "n = " << n;
}

using Kind = tavelo::TableFault::Kind;

TEST(ShapeTable, ReadsOneOrTwoColumnsAtEqualSteps)
{
    struct Good {
        std::string text;
        std::vector<double> samples;
    };
    const Good tables[] = {
        {"0\n1\n0\n-1\n", {0, 1, 0, -1}},
        {"Значение\r\n0,5\r\n1,5\r\n-1\r\n0\r\n", {0.5, 1.5, -1, 0}},
        {"t;f\n0;0\n1;2\n2;4\n3;6\n", {0, 2, 4, 6}},
        // Uneven times: straight lines between the samples, at 4 equal steps
        // of the mean step, 1.
        {"t\tf\n0\t0\n0,5\t1\n2\t4\n3\t0\n", {0, 2, 4, 0}},
    };
    for (const Good& good : tables) {
        SCOPED_TRACE(good.text);
        const auto read = tavelo::readShapeTable(good.text);
        ASSERT_TRUE(std::holds_alternative<tavelo::Shape>(read));
        const std::vector<double>& samples = std::get<tavelo::Shape>(read).samples;
        ASSERT_EQ(samples.size(), good.samples.size());
        for (std::size_t k = 0; k < samples.size(); ++k)
            EXPECT_DOUBLE_EQ(samples[k], good.samples[k]) << "sample " << k;
    }
}

TEST(ShapeTable, RefusesWhatIsNoShape)
{
    struct Bad {
        std::string text;
        Kind kind;
        int row;
        int cell;
    };
    std::string tooMany;
    for (int k = 0; k <= 100000; ++k)
        tooMany += "0\n";
    const Bad tables[] = {
        {"0\n1\n0\n", Kind::TooFewRows, 0, 0},
        {tooMany, Kind::TooManyRows, 100001, 0},
        {"t;f\n0;0\n1;1\n1;2\n3;0\n", Kind::NotIncreasing, 4, 1},
        {"-1e308;0\n-5e307;1\n0;0\n5e307;1\n1e308;0\n", Kind::TimeSpan, 5, 1}, // no step between the times
        {"0\n1\n2e15\n0\n", Kind::OutOfRange, 3, 1},
        {"0;1\n1;1\n2\n3;0\n", Kind::EmptyCell, 3, 2},
        {"0\n1\n2;3\n0\n", Kind::TooManyCells, 3, 0},
        {"0\n1x\n0\n1\n", Kind::NotANumber, 2, 1},
        {"1;2;3\n", Kind::TooManyCells, 1, 0},
    };
    for (const Bad& bad : tables) {
        SCOPED_TRACE(bad.text.substr(0, 40));
        const auto read = tavelo::readShapeTable(bad.text);
        ASSERT_TRUE(std::holds_alternative<tavelo::TableFault>(read));
        const tavelo::TableFault& fault = std::get<tavelo::TableFault>(read);
        EXPECT_EQ(fault.kind, bad.kind);
        EXPECT_EQ(fault.row, bad.row);
        EXPECT_EQ(fault.cell, bad.cell);
    }
}

TEST(ShapeAt, FollowsStraightLinesRoundThePeriod)
{
    const std::vector<double> samples{0, 2, 4, 2};
    struct Point {
        double theta;
        double value;
    };
    for (const Point p : {Point{0, 0}, {pi / 4, 1}, {pi, 4}, {7 * pi / 4, 1}, {2 * pi, 0}, {-pi / 2, 2}, {5 * pi, 4}})
        EXPECT_DOUBLE_EQ(tavelo::shapeAt(samples, p.theta), p.value) << "theta = " << p.theta;
}

} // namespace
