#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace tavelo {

// The fundamentals a recording's pitch is looked for between, in hertz.
inline constexpr double kLowestPitch = 50;
inline constexpr double kHighestPitch = 2000;

// The longest period looked for, in samples.
std::size_t longestPitchPeriod(int sampleRate);

// The samples through a fourth-order Butterworth low-pass at 2.5 kHz, where
// the period is looked for: at lags of whole samples, harmonics near half
// the sample rate never repeat well, and a high sound would seem to repeat
// best at a multiple of its period.
std::vector<double> pitchBand(const std::vector<double>& x, int sampleRate);

// A stretch of samples over which the pitch holds.
struct SteadyPitch {
    std::size_t first = 0; // sample
    std::size_t end = 0;
    double period = 0; // in samples, of its first frame
};

// The steadiest stretch of the band-limited samples. The fundamental's
// period is found by the difference function of YIN (de Cheveigné and
// Kawahara, 2002) in frames of about 23 ms: unlike a plain autocorrelation it
// does not favour long lags, and its normalisation says how periodic a frame
// is; of the lags at which the sound repeats, the shortest that repeats
// nearly as well as the best is the period, so that a weak fundamental under
// a strong second harmonic is not taken an octave too high. The stretch is
// the longest run of periodic frames (up to 0.3 s) whose periods stay within
// a semitone of each other; nothing when none lasts a tenth of a second.
std::optional<SteadyPitch> steadiestPitch(const std::vector<double>& band, int sampleRate);

} // namespace tavelo
