// The parts a plot can show beside the sum: its terms, the limit shapes of
// the classic waveforms, how far the sum is from them, and which waveform the
// fields hold. Expected values are computed here from the formulas, not by
// the code under test.

#include "core/columnplot.h"
#include "core/limitshape.h"
#include "core/numbertext.h"
#include "core/plotparts.h"
#include "core/series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using tavelo::HarmonicParams;
using tavelo::Waveform;

constexpr double pi = std::numbers::pi;
constexpr double kW = 657;
constexpr double kHs = 337;

// The fields as the spectrum's menu fills them for N terms, read back.
HarmonicParams written(Waveform waveform, int N, double P = 2)
{
    const tavelo::WaveformTerms terms = tavelo::classicWaveform(waveform, N);
    HarmonicParams params{double(N), {}, {}, P, terms.Amax, terms.sinBasis.value_or(true)};
    for (const auto& [from, to] : {std::pair{&terms.A, &params.A}, {&terms.Fi, &params.Fi}}) {
        for (const double v : *from)
            to->push_back(tavelo::NumberFromText(tavelo::RealToText(v, '.')));
    }
    return params;
}

TEST(LimitShape, IsExactWhereTheShapesAreKnown)
{
    struct Row {
        Waveform waveform;
        bool sinBasis;
        double theta;
        double expected;
    };
    const Row rows[] = {
        {Waveform::Square, true, pi / 2, pi / 4},       {Waveform::Square, true, -pi / 3, -pi / 4},
        {Waveform::Square, true, 0, 0},                 {Waveform::Square, true, 5 * pi / 2, pi / 4},
        {Waveform::Sawtooth, true, pi / 2, pi / 4},     {Waveform::Sawtooth, true, 3 * pi / 2, -pi / 4},
        {Waveform::Sawtooth, true, pi, pi / 2},         {Waveform::Triangle, false, 0, pi * pi / 8},
        {Waveform::Triangle, false, pi, -pi * pi / 8},  {Waveform::Triangle, false, -pi / 2, 0},
        {Waveform::OneHarmonic, true, pi / 2, 1},       {Waveform::OneHarmonic, false, 0, 1},
    };
    for (const Row& row : rows)
        EXPECT_NEAR(tavelo::limitShape(row.waveform, row.theta, row.sinBasis), row.expected, 1e-15)
            << int(row.waveform) << " at " << row.theta;
}

// The largest value of the partial sum by brute force over a fine grid.
double bruteForceOvershoot(Waveform waveform, int N)
{
    const bool square = waveform == Waveform::Square;
    double largest = -1;
    for (int k = 0; k <= 100000; ++k) {
        const double theta = -pi + 2 * pi * k / 100000;
        double s = 0;
        for (int n = 1; n <= N; ++n) {
            if (square)
                s += n % 2 == 1 ? std::sin(n * theta) / n : 0;
            else
                s += (n % 2 == 1 ? 1 : -1) * std::sin(n * theta) / n;
        }
        largest = std::max(largest, s);
    }
    return square ? (largest - pi / 4) / (pi / 2) * 100 : (largest - pi / 2) / pi * 100;
}

TEST(Overshoot, DoesNotVanishAsNGrows)
{
    struct Row {
        Waveform waveform;
        int N;
        double expected; // percent of the jump
    };
    const Row rows[] = {
        {Waveform::Square, 15, 9.01},
        {Waveform::Square, 250, 8.95},
        {Waveform::Sawtooth, 15, 5.79},
        {Waveform::Sawtooth, 250, 8.75},
    };
    for (const Row& row : rows) {
        const std::optional<double> overshoot = tavelo::overshootPercent(row.waveform, written(row.waveform, row.N));
        ASSERT_TRUE(overshoot.has_value());
        EXPECT_NEAR(*overshoot, row.expected, 0.01) << int(row.waveform) << ", N = " << row.N;
        EXPECT_NEAR(*overshoot, bruteForceOvershoot(row.waveform, row.N), 0.005) << "N = " << row.N;
    }
    EXPECT_FALSE(tavelo::overshootPercent(Waveform::Triangle, written(Waveform::Triangle, 15)));
}

class NoSurface : public tavelo::PlotCanvas {
public:
    void firstPoint(float, float) override {}
    void nextPoint(const tavelo::PlotColumn& column) override
    {
        sum.push_back({column.x, column.y});
        for (const tavelo::TermSegment& term : column.parts.terms)
            ++termSegments[std::size_t(term.n)];
        limitSegments += column.parts.target ? 1 : 0;
    }

    std::vector<std::pair<float, float>> sum;
    std::vector<int> termSegments = std::vector<int>(251);
    int limitSegments = 0;
};

TEST(PlotParts, DeviationFallsAsNGrowsAndTheSumKeepsItsBits)
{
    double previous = 1;
    for (const int N : {5, 15, 250}) {
        const HarmonicParams params = written(Waveform::Square, N);
        NoSurface bare;
        tavelo::DrawColumns(params, kW, kHs, bare, nullptr);

        NoSurface surface;
        tavelo::PlotParts parts(params, kW, kHs, {true, Waveform::Square});
        const tavelo::PlotOutcome outcome = tavelo::DrawColumns(params, kW, kHs, surface, nullptr, {}, &parts);
        EXPECT_EQ(outcome.end, tavelo::PlotEnd::Completed);
        EXPECT_EQ(surface.sum, bare.sum) << "N = " << N;

        // Terms of amplitude 0 (the even ones) are not drawn; the others and the
        // limit shape have a segment per column.
        EXPECT_EQ(surface.termSegments[1], int(kW));
        EXPECT_EQ(surface.termSegments[2], 0);
        EXPECT_EQ(surface.limitSegments, int(kW));

        double squares = 0;
        for (int x = 0; x <= int(kW); ++x) {
            double f = 0;
            for (int n = 1; n <= N; n += 2)
                f += std::sin(n * 6.283 * x * 2 / kW) / n;
            const double theta = std::remainder(6.283 * x * 2 / kW, 2 * pi);
            const double limit = theta == 0 ? 0 : std::copysign(pi / 4, theta);
            squares += (f - limit) * (f - limit);
        }
        const double expected = std::sqrt(squares / (kW + 1));
        ASSERT_TRUE(parts.deviation().has_value());
        EXPECT_NEAR(*parts.deviation(), expected, 1e-9) << "N = " << N;
        EXPECT_LT(*parts.deviation(), previous);
        previous = *parts.deviation();
    }
}

TEST(RecognizeWaveform, NamesTheWaveformTheFieldsHold)
{
    EXPECT_EQ(tavelo::recognizeWaveform(written(Waveform::Square, 15), std::nullopt), Waveform::Square);
    EXPECT_EQ(tavelo::recognizeWaveform(written(Waveform::Sawtooth, 250), std::nullopt), Waveform::Sawtooth);
    EXPECT_EQ(tavelo::recognizeWaveform(written(Waveform::Triangle, 7), std::nullopt), Waveform::Triangle);
    // One term is several waveforms at once: the one chosen last, else one harmonic.
    const HarmonicParams one = written(Waveform::Square, 1);
    EXPECT_EQ(tavelo::recognizeWaveform(one, std::nullopt), Waveform::OneHarmonic);
    EXPECT_EQ(tavelo::recognizeWaveform(one, Waveform::Square), Waveform::Square);
    EXPECT_EQ(tavelo::recognizeWaveform(one, Waveform::Triangle), Waveform::OneHarmonic); // not in cosine

    HarmonicParams typed = written(Waveform::Square, 15);
    typed.A[3] = 0.3333;
    EXPECT_EQ(tavelo::recognizeWaveform(typed, std::nullopt), std::nullopt);
    HarmonicParams cosine = written(Waveform::Square, 15);
    cosine.sinBasis = false;
    EXPECT_EQ(tavelo::recognizeWaveform(cosine, Waveform::Square), std::nullopt);
}

} // namespace
