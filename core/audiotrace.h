#pragma once

#include <span>
#include <vector>

namespace tavelo {

// The graph as a sound for a listener who cannot see it: a tone whose pitch
// follows the curve's height on a logarithmic scale, -Amax at 110 Hz, 0 at
// 311 Hz and +Amax at 880 Hz; a quiet noise beside the tone while the curve
// is below 0, and a short click where it crosses 0.
inline constexpr double kTraceLowestPitch = 110;
inline constexpr double kTraceHighestPitch = 880;

// The pitch of a value; values beyond +-Amax are held at the ends.
double tracePitch(double value, double Amax);

// The curve's values, one a column from the left edge to the right, played
// in `seconds`: mono samples in -1..1.
std::vector<float> audioTrace(std::span<const double> columns, double Amax, int sampleRate, double seconds);

// The same trace in two channels, interleaved left and right, panned with
// the place along the curve: from `panFrom` (0 the left edge) at its start
// to `panTo` (1 the right edge) at its end, the loudness kept.
std::vector<float> stereoTrace(std::span<const double> columns, double Amax, int sampleRate, double seconds,
                               double panFrom = 0, double panTo = 1);

// One value as a short tone at its pitch, without noise; with a click at its
// start where the reader passed a crossing of zero to reach it.
std::vector<float> valueTone(double value, double Amax, int sampleRate, double seconds, bool click = false);

} // namespace tavelo
