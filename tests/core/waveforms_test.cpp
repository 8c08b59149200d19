#include "core/harmonicparams.h"
#include "core/series.h"
#include "core/waveforms.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

using tavelo::Waveform;

// The partial sum of a waveform's series at the angle theta of the first
// harmonic, each term as the plot evaluates it: A(n) Func(pi Fi(n) + n theta).
double partialSum(Waveform waveform, int N, double theta)
{
    const tavelo::WaveformDefinition& definition = tavelo::waveformDefinition(waveform);
    double sum = 0;
    for (int n = 1; n <= N; ++n)
        sum += definition.amplitude(n)
               * tavelo::Func(tavelo::kPhaseFactor * definition.phase(n) + n * theta, definition.sinBasis.value());
    return sum;
}

struct KnownLimit {
    Waveform waveform;
    double theta;
    double limit;
};

// Values of the shapes that the series are known to converge to. Each series
// is alternating or has terms of 1/n^2 there, so the partial sum of N terms
// lies within 1/N of its limit.
TEST(ClassicWaveforms, PartialSumsApproachTheShapesTheyAreFor)
{
    constexpr double pi = std::numbers::pi;
    const KnownLimit limits[] = {
        {Waveform::Square, pi / 2, pi / 4},
        {Waveform::Sawtooth, pi / 2, pi / 4},
        {Waveform::Triangle, 0, pi * pi / 8},
    };
    for (const KnownLimit& known : limits) {
        SCOPED_TRACE(int(known.waveform));
        double previousError = 1;
        for (const int N : {5, 25, 250}) {
            const double error = std::abs(partialSum(known.waveform, N, known.theta) - known.limit);
            EXPECT_LE(error, 1.0 / N) << "N = " << N;
            EXPECT_LT(error, previousError) << "N = " << N;
            previousError = error;
        }
    }
    // Unlike the square wave, the sawtooth rises as theta / 2 across its period.
    EXPECT_NEAR(partialSum(Waveform::Sawtooth, 250, pi / 4), pi / 8, 2.0 / 250);
    EXPECT_NEAR(partialSum(Waveform::Square, 250, pi / 4), pi / 4, 2.0 / 250);
}

} // namespace
