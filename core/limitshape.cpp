#include "core/limitshape.h"

#include "core/numbertext.h"
#include "core/series.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavelo {

namespace {

constexpr double pi = std::numbers::pi;

// The value a field holds after the program wrote v into it.
double writtenValue(double v)
{
    return NumberFromText(RealToText(v, '.'));
}

bool holds(const HarmonicParams& params, const WaveformDefinition& definition)
{
    if (definition.sinBasis && *definition.sinBasis != params.sinBasis)
        return false;
    const auto terms = static_cast<std::size_t>(std::max(params.N, 0.0));
    if (terms == 0 || params.A.size() <= terms || params.Fi.size() <= terms)
        return false;
    for (std::size_t n = 1; n <= terms; ++n) {
        if (params.A[n] != writtenValue(definition.amplitude(int(n)))
            || params.Fi[n] != writtenValue(definition.phase(int(n))))
            return false;
    }
    return true;
}

// The largest value of the partial sum over a period: sampled finely enough
// that its highest harmonic is seen sixteen times a period, then refined by a
// golden-section search between the neighbours of the best sample.
double largestPartialSum(const HarmonicParams& params)
{
    const int samples = 16 * static_cast<int>(std::max(params.N, 1.0)) + 64;
    const double step = 2 * pi / samples;
    int best = 0;
    double bestValue = sumAtAngle(params, -pi);
    for (int k = 1; k < samples; ++k) {
        const double value = sumAtAngle(params, -pi + k * step);
        if (value > bestValue) {
            best = k;
            bestValue = value;
        }
    }
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double low = -pi + (best - 1) * step;
    double high = -pi + (best + 1) * step;
    double a = high - ratio * (high - low);
    double b = low + ratio * (high - low);
    double fa = sumAtAngle(params, a);
    double fb = sumAtAngle(params, b);
    for (int i = 0; i < 80 && high - low > 1e-15; ++i) {
        if (fa < fb) {
            low = a;
            a = b;
            fa = fb;
            b = low + ratio * (high - low);
            fb = sumAtAngle(params, b);
        } else {
            high = b;
            b = a;
            fb = fa;
            a = high - ratio * (high - low);
            fa = sumAtAngle(params, a);
        }
    }
    return std::max({bestValue, fa, fb});
}

} // namespace

double reducedAngle(double theta)
{
    double reduced = std::remainder(theta, 2 * pi);
    if (reduced <= -pi)
        reduced += 2 * pi;
    return reduced;
}

double fundamentalAngle(const HarmonicParams& params, double x, double W)
{
    const double phase = params.Fi.size() > 1 ? kPhaseFactor * params.Fi[1] : 0.0;
    if (x == 0)
        return phase;
    return phase + TimeTerm(1, x, params.P, W);
}

double fundamentalTimeAngle(const HarmonicParams& params, double x, double W)
{
    return x == 0 ? 0.0 : TimeTerm(1, x, params.P, W);
}

double limitShape(Waveform waveform, double theta, bool sinBasis)
{
    const double reduced = reducedAngle(theta);
    switch (waveform) {
    case Waveform::Square:
        return reduced == 0 || reduced == pi ? 0.0 : (reduced > 0 ? pi / 4 : -pi / 4);
    case Waveform::Sawtooth:
        return reduced / 2;
    case Waveform::Triangle:
        return pi / 8 * (pi - 2 * std::abs(reduced));
    case Waveform::OneHarmonic:
        return Func(theta, sinBasis);
    }
    return 0;
}

std::optional<Waveform> recognizeWaveform(const HarmonicParams& params, std::optional<Waveform> preferred)
{
    if (preferred && holds(params, waveformDefinition(*preferred)))
        return preferred;
    if (holds(params, waveformDefinition(Waveform::OneHarmonic)))
        return Waveform::OneHarmonic;
    for (const WaveformDefinition& definition : classicWaveforms()) {
        if (holds(params, definition))
            return definition.waveform;
    }
    return std::nullopt;
}

std::optional<double> overshootPercent(Waveform waveform, const HarmonicParams& params)
{
    double largestLimit = 0;
    double jump = 0;
    switch (waveform) {
    case Waveform::Square:
        largestLimit = pi / 4;
        jump = pi / 2;
        break;
    case Waveform::Sawtooth:
        largestLimit = pi / 2;
        jump = pi;
        break;
    case Waveform::Triangle:
    case Waveform::OneHarmonic:
        return std::nullopt;
    }
    return (largestPartialSum(params) - largestLimit) / jump * 100;
}

} // namespace tavelo
