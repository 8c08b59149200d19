#include "core/sumoperations.h"

#include "core/fundamentaltable.h"

#include <algorithm>
#include <cmath>

namespace tavelo {

namespace {

// A phase in units of pi brought into [0, 2); fmod is exact, and a phase
// already there is not touched.
double phaseInTurn(double phase)
{
    if (phase >= 0 && phase < 2)
        return phase;
    double r = std::fmod(phase, 2.0);
    if (r < 0)
        r += 2;
    return r >= 2 ? 0.0 : r;
}

template <typename Operation>
std::vector<double> mapped(std::span<const double> samples, Operation operation)
{
    std::vector<double> result(samples.size());
    std::transform(samples.begin(), samples.end(), result.begin(), operation);
    return result;
}

} // namespace

std::vector<double> tabledPeriodSamples(const HarmonicParams& params, int count)
{
    const auto size = static_cast<std::size_t>(std::max(count, 0));
    std::vector<double> samples(size, 0.0);
    if (size == 0)
        return samples;
    const auto [cosines, sines] = fundamentalTable(size);
    const std::size_t stored = std::min(params.A.size(), params.Fi.size());
    const auto terms = std::min(static_cast<std::size_t>(std::max(params.N, 0.0)), stored == 0 ? 0 : stored - 1);
    for (std::size_t n = 1; n <= terms; ++n) {
        const double A = params.A[n];
        if (A == 0)
            continue;
        // A Func(a + x) = A (sin a cos x + cos a sin x), or A (cos a cos x - sin a sin x).
        const double phase = kPhaseFactor * params.Fi[n];
        const double onCosine = A * (params.sinBasis ? std::sin(phase) : std::cos(phase));
        const double onSine = A * (params.sinBasis ? std::cos(phase) : -std::sin(phase));
        const std::size_t step = n % size;
        std::size_t turn = 0;
        for (std::size_t k = 0; k < size; ++k) {
            samples[k] += onCosine * cosines[turn] + onSine * sines[turn];
            turn += step;
            if (turn >= size)
                turn -= size;
        }
    }
    return samples;
}

std::vector<double> halfWaveRectified(std::span<const double> samples)
{
    return mapped(samples, [](double v) { return v > 0 ? v : 0.0; });
}

std::vector<double> fullWaveRectified(std::span<const double> samples)
{
    return mapped(samples, [](double v) { return std::abs(v); });
}

std::vector<double> clipped(std::span<const double> samples, double level)
{
    const double bound = std::abs(level);
    return mapped(samples, [bound](double v) { return std::clamp(v, -bound, bound); });
}

std::vector<double> quantized(std::span<const double> samples, int levels)
{
    if (samples.empty() || levels < 2)
        return {samples.begin(), samples.end()};
    const auto [lowest, highest] = std::minmax_element(samples.begin(), samples.end());
    const double low = *lowest;
    const double high = *highest;
    const double step = (high - low) / double(levels - 1);
    if (!(step > 0))
        return {samples.begin(), samples.end()};
    return mapped(samples, [&](double v) {
        const double index = std::clamp(std::floor((v - low) / step + 0.5), 0.0, double(levels - 1));
        // The top level computed may round past the largest sample.
        return std::min(low + index * step, high);
    });
}

std::vector<double> sampledAndHeld(std::span<const double> samples, int perPeriod)
{
    const std::size_t count = samples.size();
    if (count == 0 || perPeriod < 1)
        return {samples.begin(), samples.end()};
    const auto instants = static_cast<std::size_t>(perPeriod);
    std::vector<double> result(count);
    for (std::size_t j = 0; j < instants; ++j) {
        // Instant j lies at j * count / perPeriod samples; it holds until the next.
        const std::size_t first = (j * count + instants - 1) / instants;
        const std::size_t end = ((j + 1) * count + instants - 1) / instants;
        if (first >= count)
            break;
        std::fill(result.begin() + std::ptrdiff_t(first), result.begin() + std::ptrdiff_t(std::min(end, count)),
                  samples[first]);
    }
    return result;
}

double largestMagnitude(std::span<const double> samples)
{
    double largest = 0;
    for (const double v : samples)
        largest = std::max(largest, std::abs(v));
    return largest;
}

void invertPhases(std::span<double> Fi)
{
    for (std::size_t n = 1; n < Fi.size(); ++n) {
        const double phase = phaseInTurn(Fi[n]);
        const double turned = phase < 1 ? phase + 1 : phase - 1;
        // Half a turn on from just below 1 can round to 2, which is 0.
        Fi[n] = turned >= 2 ? 0.0 : turned;
    }
}

void reversePhases(std::span<double> Fi, bool sinBasis)
{
    for (std::size_t n = 1; n < Fi.size(); ++n) {
        const double phase = phaseInTurn(Fi[n]);
        // 2 less a phase too small to tell from 0 rounds to 2, which is 0.
        const double reversed = sinBasis ? (phase <= 1 ? 1 - phase : 3 - phase) : 2 - phase;
        Fi[n] = reversed >= 2 ? 0.0 : reversed;
    }
}

void keepParity(std::span<double> A, bool odd)
{
    for (std::size_t n = 1; n < A.size(); ++n) {
        if ((n % 2 == 1) != odd)
            A[n] = 0;
    }
}

} // namespace tavelo
