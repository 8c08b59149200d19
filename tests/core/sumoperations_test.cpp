// What a circuit does to a wave, against the textbooks' series of the results.

#include "core/series.h"
#include "core/shapeanalysis.h"
#include "core/sumoperations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr double pi = std::numbers::pi;

tavelo::HarmonicParams series(std::vector<double> A, std::vector<double> Fi, bool sinBasis)
{
    tavelo::HarmonicParams params;
    params.N = double(A.size() - 1);
    params.A = std::move(A);
    params.Fi = std::move(Fi);
    params.sinBasis = sinBasis;
    return params;
}

std::vector<double> sineSamples()
{
    return tavelo::periodSamples(series({0, 1}, {0, 0}, true), tavelo::kOperationSamples);
}

// The ideal square wave of height 1, its jumps' samples in their middle.
std::vector<double> squareSamples()
{
    std::vector<double> samples(tavelo::kOperationSamples);
    for (std::size_t k = 0; k < samples.size(); ++k)
        samples[k] = k == 0 || k == samples.size() / 2 ? 0.0 : k < samples.size() / 2 ? 1.0 : -1.0;
    return samples;
}

void expectAmplitudes(const tavelo::ShapeTerms& terms, double (*expected)(int n), double tolerance)
{
    for (int n = 1; n <= 40; ++n)
        EXPECT_NEAR(terms.A[std::size_t(n)], expected(n), tolerance) << "n = " << n;
}

double squareAmplitude(int n)
{
    return n % 2 == 1 ? 4 / (pi * n) : 0;
}

TEST(SumOperations, TabledSamplesAreThePeriodsSamples)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> amplitude(-2, 2);
    std::uniform_real_distribution<double> phase(-3, 5);
    for (const bool sinBasis : {true, false}) {
        tavelo::HarmonicParams params = series(std::vector<double>(251, 0.0), std::vector<double>(251, 0.0), sinBasis);
        for (std::size_t n = 1; n <= 250; ++n) {
            params.A[n] = amplitude(random);
            params.Fi[n] = phase(random);
        }
        for (const int count : {1, 7, 500, tavelo::kOperationSamples}) {
            const std::vector<double> tabled = tavelo::tabledPeriodSamples(params, count);
            const std::vector<double> direct = tavelo::periodSamples(params, count);
            ASSERT_EQ(tabled.size(), direct.size());
            for (std::size_t k = 0; k < tabled.size(); ++k)
                ASSERT_NEAR(tabled[k], direct[k], 1e-11) << count << " samples, k = " << k;
        }
    }
}

TEST(SumOperations, RectifiedSineHasTheTextbooksTermsAndMean)
{
    const auto half = tavelo::analyseShape(tavelo::halfWaveRectified(sineSamples()), true);
    expectAmplitudes(half, [](int n) { return n == 1 ? 0.5 : n % 2 == 0 ? 2 / (pi * (n * n - 1)) : 0.0; }, 1e-6);
    EXPECT_NEAR(half.mean, 1 / pi, 1e-7);
    EXPECT_TRUE(half.meanMatters());

    const auto full = tavelo::analyseShape(tavelo::fullWaveRectified(sineSamples()), true);
    expectAmplitudes(full, [](int n) { return n % 2 == 0 ? 4 / (pi * (n * n - 1)) : 0.0; }, 1e-6);
    EXPECT_NEAR(full.mean, 2 / pi, 1e-7);
}

TEST(SumOperations, ClippingASquareWaveLowersOnlyWhatIsAboveTheLevel)
{
    const std::vector<double> square = squareSamples();
    for (const double level : {0.25, 0.5, 1.0, 1.0001, 1.5, 1e6}) {
        const auto terms = tavelo::analyseShape(tavelo::clipped(square, level), true);
        const double scale = std::min(level, 1.0);
        for (int n = 1; n <= 40; ++n)
            EXPECT_NEAR(terms.A[std::size_t(n)], scale * squareAmplitude(n), 1e-3) << "level " << level << ", n = " << n;
    }
}

TEST(SumOperations, QuantizingASineToTwoLevelsGivesTheSquareWave)
{
    const auto terms = tavelo::analyseShape(tavelo::quantized(sineSamples(), 2), true);
    expectAmplitudes(terms, squareAmplitude, 1e-3);
    // With many levels the sine comes back, its error a fraction of a step.
    const auto fine = tavelo::analyseShape(tavelo::quantized(sineSamples(), 64), true);
    EXPECT_NEAR(fine.A[1], 1, 2.0 / 63);
}

TEST(SumOperations, SampleAndHoldDelaysByHalfAStepAndHoldsTheFirstSampleOfEach)
{
    struct Case {
        std::size_t count;
        int perPeriod;
        std::vector<double> held; // of the samples 0, 1, 2, …
    };
    const Case cases[] = {
        {10, 4, {0, 0, 0, 3, 3, 5, 5, 5, 8, 8}},
        {8, 4, {0, 0, 2, 2, 4, 4, 6, 6}},
        {5, 5, {0, 1, 2, 3, 4}},
        {3, 4, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        std::vector<double> ramp(c.count);
        for (std::size_t k = 0; k < c.count; ++k)
            ramp[k] = double(k);
        EXPECT_EQ(tavelo::sampledAndHeld(ramp, c.perPeriod), c.held) << c.count << " samples, " << c.perPeriod;
    }
    // A sine held at four instants: 0, 1, 0, -1 a quarter each, whose
    // fundamental is 2 sqrt 2 / pi, an eighth of a period late.
    const auto terms = tavelo::analyseShape(tavelo::sampledAndHeld(sineSamples(), 4), true);
    EXPECT_NEAR(terms.A[1], 2 * std::sqrt(2.0) / pi, 1e-3);
    EXPECT_NEAR(terms.Fi[1], 1.75, 1e-3);
}

TEST(SumOperations, InvertReverseAndParityAreExactOnTheTerms)
{
    const std::vector<double> A{0, 1, 0.5, 0.25, 2, -0.75};
    const std::vector<double> Fi{0, 0, 0.25, 1, 1.5, 1.875};
    for (const bool sinBasis : {true, false}) {
        const tavelo::HarmonicParams before = series(A, Fi, sinBasis);

        tavelo::HarmonicParams inverted = before;
        tavelo::invertPhases(inverted.Fi);
        EXPECT_EQ(inverted.Fi, (std::vector<double>{0, 1, 1.25, 0, 0.5, 0.875}));
        tavelo::HarmonicParams reversed = before;
        tavelo::reversePhases(reversed.Fi, sinBasis);
        tavelo::HarmonicParams twice = reversed;
        tavelo::reversePhases(twice.Fi, sinBasis);
        EXPECT_EQ(twice.Fi, Fi) << "reversed twice";
        tavelo::HarmonicParams odd = before;
        tavelo::keepParity(odd.A, true);
        EXPECT_EQ(odd.A, (std::vector<double>{0, 1, 0, 0.25, 0, -0.75}));
        tavelo::HarmonicParams even = before;
        tavelo::keepParity(even.A, false);

        for (int k = 0; k < 64; ++k) {
            const double theta = 2 * pi * k / 64;
            const double f = tavelo::sumAtAngle(before, theta);
            EXPECT_NEAR(tavelo::sumAtAngle(inverted, theta), -f, 1e-12);
            EXPECT_NEAR(tavelo::sumAtAngle(reversed, theta), tavelo::sumAtAngle(before, -theta), 1e-12);
            const double shifted = tavelo::sumAtAngle(before, theta + pi);
            EXPECT_NEAR(tavelo::sumAtAngle(odd, theta), (f - shifted) / 2, 1e-12);
            EXPECT_NEAR(tavelo::sumAtAngle(even, theta), (f + shifted) / 2, 1e-12);
        }
    }
    // Phases typed beyond a turn come back within one, and a turn that
    // rounds to 2 is 0.
    std::vector<double> wide{0, 7.5, -0.5, 2, std::nextafter(1.0, 0.0)};
    tavelo::invertPhases(wide);
    EXPECT_EQ(wide, (std::vector<double>{0, 0.5, 0.5, 1, 0}));
    std::vector<double> tiny{0, 1e-300};
    tavelo::reversePhases(tiny, false);
    EXPECT_EQ(tiny, (std::vector<double>{0, 0}));
}

} // namespace
