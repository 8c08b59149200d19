#include "core/tone.h"
#include "core/vectorstate.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace tavelo {

Tone toneSamples(const HarmonicParams& params, double frequency, int sampleRate, double seconds)
{
    releaseUpperVectorState();
    Tone tone;
    const auto count = static_cast<std::size_t>(std::max(0.0, std::round(seconds * sampleRate)));
    std::vector<double> sum(count, 0.0);
    const auto terms = std::min({static_cast<std::size_t>(std::max(params.N, 0.0)), params.A.size() - 1,
                                 params.Fi.size() - 1});
    for (std::size_t n = 1; n <= terms; ++n) {
        const double A = params.A[n];
        if (A == 0 || !std::isfinite(A) || !std::isfinite(params.Fi[n]))
            continue;
        if (double(n) * frequency >= sampleRate / 2.0) {
            ++tone.termsLeftOut;
            continue;
        }
        // Each sample turns the term's phasor by the same angle: one complex
        // product a sample instead of a sine, with the angle taken afresh
        // every period of the fundamental so that no error builds up.
        const double step = 2 * std::numbers::pi * double(n) * frequency / sampleRate;
        const std::complex<double> turn = std::polar(1.0, step);
        const double phase = kPhaseFactor * params.Fi[n];
        const auto renew = static_cast<std::size_t>(std::max(1.0, std::floor(sampleRate / frequency)));
        std::complex<double> phasor;
        for (std::size_t k = 0; k < count; ++k) {
            if (k % renew == 0)
                phasor = std::polar(1.0, phase + step * double(k));
            sum[k] += A * (params.sinBasis ? phasor.imag() : phasor.real());
            phasor *= turn;
        }
    }
    double largest = 0;
    for (const double v : sum)
        largest = std::max(largest, std::abs(v));
    tone.samples.assign(count, 0.0f);
    if (largest == 0 || !std::isfinite(largest))
        return tone;
    const double scale = 0.5 / largest;
    const double fade = kToneFadeSeconds * sampleRate;
    for (std::size_t k = 0; k < count; ++k)
        tone.samples[k] = static_cast<float>(sum[k] * scale * fadeGain(k, count, fade));
    return tone;
}

double fadeGain(std::size_t k, std::size_t count, double fade)
{
    const double fromEdge = double(std::min(k, count - 1 - k));
    return fromEdge < fade ? fromEdge / fade : 1.0;
}

} // namespace tavelo
