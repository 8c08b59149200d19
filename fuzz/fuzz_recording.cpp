// A recording at any sample rate from 8 to 192 kHz, of a few harmonics that
// glide, with noise and clipping: no crash, no read outside the samples and
// no hang; a sound that gives terms has a pitch below half the sample rate,
// its largest amplitude 1, finite terms with phases in [0, 2), nothing at or
// above half the sample rate, and a finite averaged period.

#include "core/recordinganalysis.h"
#include "fuzzinput.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const int sampleRate = 8000 + int(input.small(184)) * 1000;
    const bool sinBasis = input.small(1) == 1;
    // An eighth to a fifth of a second keeps each run short; the analysis
    // needs a tenth of a second of steady pitch.
    const auto count = static_cast<std::size_t>(sampleRate / (5 + input.small(4)));
    const double fundamental = 20 + input.small(255) * 12.0 + input.small(255) / 16.0;
    const double glide = (double(input.small(200)) - 100) / 1000; // relative change over the recording
    const unsigned harmonics = 1 + input.small(7);
    std::vector<double> amplitudes(harmonics + 1);
    for (unsigned n = 1; n <= harmonics; ++n)
        amplitudes[n] = input.small(255) / 255.0;
    const double gain = input.small(255) / 128.0;
    const double noise = input.small(255) / 1024.0;
    std::vector<float> samples(count);
    double phase = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const double hertz = fundamental * (1 + glide * double(k) / double(count));
        phase += 2 * std::numbers::pi * hertz / sampleRate;
        double v = 0;
        for (unsigned n = 1; n <= harmonics; ++n)
            v += amplitudes[n] * std::sin(double(n) * phase);
        // The rest of the input, byte by byte, as noise.
        v = v * gain / harmonics + noise * (double(input.small(255)) - 127.5) / 127.5;
        samples[k] = float(std::clamp(v, -1.0, 1.0));
    }
    const auto result = tavelo::analyseRecording(samples, sampleRate, sinBasis);
    const auto* sound = std::get_if<tavelo::RecordedSound>(&result);
    if (!sound)
        return 0;
    // The periods are followed as they change, so the pitch found may leave
    // the band it was first looked for in; it stays a pitch the samples hold.
    if (!(sound->fundamental > 0 && sound->fundamental < sampleRate / 2.0))
        std::abort();
    if (sound->periods < 2 || sound->period.samples.size() != tavelo::kRecordedPeriodSamples)
        std::abort();
    for (const double v : sound->period.samples) {
        if (!std::isfinite(v))
            std::abort();
    }
    double largest = 0;
    for (std::size_t n = 1; n < sound->terms.A.size(); ++n) {
        const double A = sound->terms.A[n];
        if (!std::isfinite(A) || A < 0 || A > 1 || !(sound->terms.Fi[n] >= 0 && sound->terms.Fi[n] < 2))
            std::abort();
        if (double(n) * sound->fundamental >= sampleRate / 2.0 && A != 0)
            std::abort();
        largest = std::max(largest, A);
    }
    if (largest != 1)
        std::abort();
    return 0;
}
