#pragma once

#include <optional>
#include <span>
#include <vector>

namespace tavelo {

// The classic waveforms a teacher builds from their Fourier series.
enum class Waveform {
    Square,
    Sawtooth,
    Triangle,
    OneHarmonic,
};

// One classic waveform: the rule of its terms.
struct WaveformDefinition {
    Waveform waveform;
    std::optional<bool> sinBasis; // empty: the basis stays as chosen
    double Amax;                  // the largest visible coordinate it needs
    double (*amplitude)(int n);
    double (*phase)(int n); // in units of pi
};

// Every classic waveform, in the order of the menu.
std::span<const WaveformDefinition> classicWaveforms();

const WaveformDefinition& waveformDefinition(Waveform waveform);

// A single term shows nothing of a shape: a waveform chosen while N is 1
// raises N to this; any other N is the user's choice and stays.
inline constexpr int kWaveformTermsFromOne = 15;

int waveformTermCount(int N);

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
