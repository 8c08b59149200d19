#include "core/waveforms.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace tavelo {

namespace {

bool isOdd(int n)
{
    return n % 2 == 1;
}

// Square: the sine series of 1/n over odd n, a square wave of height pi/4.
// Sawtooth: the sine series of 1/n with every even term turned by pi, whose
// sum rises as t/2 across a period. Triangle: the cosine series of 1/n^2 over
// odd n, peaking at pi^2/8.
constexpr std::array kWaveforms{
    WaveformDefinition{Waveform::Square, true, 1,
                       [](int n) { return isOdd(n) ? 1 / double(n) : 0.0; }, [](int) { return 0.0; }},
    WaveformDefinition{Waveform::Sawtooth, true, 2, [](int n) { return 1 / double(n); },
                       [](int n) { return isOdd(n) ? 0.0 : 1.0; }},
    WaveformDefinition{Waveform::Triangle, false, 1.5,
                       [](int n) { return isOdd(n) ? 1 / (double(n) * double(n)) : 0.0; }, [](int) { return 0.0; }},
    WaveformDefinition{Waveform::OneHarmonic, std::nullopt, 1,
                       [](int n) { return n == 1 ? 1.0 : 0.0; }, [](int) { return 0.0; }},
};

} // namespace

std::span<const WaveformDefinition> classicWaveforms()
{
    return kWaveforms;
}

const WaveformDefinition& waveformDefinition(Waveform waveform)
{
    const auto found = std::find_if(kWaveforms.begin(), kWaveforms.end(),
                                    [waveform](const WaveformDefinition& d) { return d.waveform == waveform; });
    if (found == kWaveforms.end())
        throw std::invalid_argument("not a classic waveform");
    return *found;
}

int waveformTermCount(int N)
{
    return N == 1 ? kWaveformTermsFromOne : N;
}

WaveformTerms classicWaveform(Waveform waveform, int terms)
{
    const WaveformDefinition& definition = waveformDefinition(waveform);
    WaveformTerms w;
    const auto size = static_cast<std::size_t>(terms < 0 ? 0 : terms) + 1;
    w.A.assign(size, 0.0);
    w.Fi.assign(size, 0.0);
    for (std::size_t i = 1; i < size; ++i) {
        w.A[i] = definition.amplitude(static_cast<int>(i));
        w.Fi[i] = definition.phase(static_cast<int>(i));
    }
    w.sinBasis = definition.sinBasis;
    w.Amax = definition.Amax;
    return w;
}

} // namespace tavelo
