#include "core/waveforms.h"

namespace tavelo {

WaveformTerms classicWaveform(Waveform waveform, int terms)
{
    WaveformTerms w;
    const auto size = static_cast<std::size_t>(terms < 0 ? 0 : terms) + 1;
    w.A.assign(size, 0.0);
    w.Fi.assign(size, 0.0);
    for (std::size_t i = 1; i < size; ++i) {
        const double n = static_cast<double>(i);
        const bool odd = i % 2 == 1;
        switch (waveform) {
        case Waveform::Square:
            w.A[i] = odd ? 1 / n : 0;
            break;
        case Waveform::Sawtooth:
            w.A[i] = 1 / n;
            w.Fi[i] = odd ? 0 : 1;
            break;
        case Waveform::Triangle:
            w.A[i] = odd ? 1 / (n * n) : 0;
            break;
        case Waveform::OneHarmonic:
            w.A[i] = i == 1 ? 1 : 0;
            break;
        }
    }
    switch (waveform) {
    case Waveform::Square:
        w.sinBasis = true;
        break;
    case Waveform::Sawtooth:
        w.sinBasis = true;
        w.Amax = 2;
        break;
    case Waveform::Triangle:
        w.sinBasis = false;
        w.Amax = 1.5;
        break;
    case Waveform::OneHarmonic:
        break;
    }
    return w;
}

} // namespace tavelo
