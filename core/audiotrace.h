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

// One value as a short tone at its pitch, without noise or click.
std::vector<float> valueTone(double value, double Amax, int sampleRate, double seconds);

} // namespace tavelo
