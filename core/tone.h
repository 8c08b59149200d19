#pragma once

#include "core/harmonicparams.h"

#include <cstddef>
#include <vector>

namespace tavelo {

// The series as a sound: mono samples in -1..1 at `sampleRate` per second.
struct Tone {
    std::vector<float> samples;
    int termsLeftOut = 0; // terms with an amplitude, at or above half the sample rate
};

// Fade-in and fade-out, so that the start and the end make no click.
inline constexpr double kToneFadeSeconds = 0.010;

// The gain of sample k of `count` that fade in and out over `fade` samples.
double fadeGain(std::size_t k, std::size_t count, double fade);

// The sum of terms 1..N of `params` with the fundamental at `frequency` Hz
// and an exact period (2 pi, not the plot's 6.283), for `seconds`. Terms at
// or above half the sample rate cannot be played and are left out. The
// largest magnitude over a period is scaled to half of full scale, so every
// waveform is equally loud and none clips; a sum that is 0 everywhere is
// silence. P and Amax are not used.
Tone toneSamples(const HarmonicParams& params, double frequency, int sampleRate, double seconds);

} // namespace tavelo
