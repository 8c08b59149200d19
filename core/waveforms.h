#pragma once

#include <optional>
#include <vector>

namespace tavelo {

// The classic waveforms a teacher builds from their Fourier series.
enum class Waveform {
    Square,      // sin, 1/n for odd n
    Sawtooth,    // sin, 1/n with every even term turned by pi
    Triangle,    // cos, 1/n^2 for odd n
    OneHarmonic, // the first term alone, in the basis chosen
};

// What a waveform writes into the fields: the terms 1..N (index 0 unused,
// as in the fields), the spectrum's scale H and the largest visible coordinate.
struct WaveformTerms {
    std::optional<bool> sinBasis; // empty: the basis stays as chosen
    std::vector<double> A;
    std::vector<double> Fi; // in units of pi
    double H = 1;
    double Amax = 1;
};

WaveformTerms classicWaveform(Waveform waveform, int terms);

} // namespace tavelo
