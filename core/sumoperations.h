#pragma once

#include "core/harmonicparams.h"

#include <span>
#include <vector>

namespace tavelo {

// What a circuit does to a wave: a diode, a limiter, an inverting amplifier,
// an analog-to-digital converter. The operations on a shape work on one
// period sampled at equal steps (the series' periodSamples) and give the
// shape that shapeAnalysis turns back into terms; those on the terms are
// exact and need no analysis. Terms are indexed 1..N, index 0 unused.

// How many samples of one period the operations on a shape work on: enough
// that a jump's sample, which belongs to neither side, moves no term by more
// than a ten-thousandth of the jump.
inline constexpr int kOperationSamples = 8192;

inline constexpr int kMinQuantizeLevels = 2;
inline constexpr int kMaxQuantizeLevels = 64;
inline constexpr int kMinHoldSamples = 4;
inline constexpr int kMaxHoldSamples = 64;

// One period of the series' terms 1..N in `count` samples at the angles
// 2 pi k / count, as periodSamples gives it to within the arithmetic's last
// bits, but by a table of the fundamental's cosines and sines turned n steps
// at a time for term n: a multiplication and an addition where periodSamples
// takes a sine, which keeps an operation at 250 terms well within a tenth of
// a second.
std::vector<double> tabledPeriodSamples(const HarmonicParams& params, int count);

// The negative half set to 0, as one diode passes a current.
std::vector<double> halfWaveRectified(std::span<const double> samples);
// The magnitude, as a bridge of diodes gives it.
std::vector<double> fullWaveRectified(std::span<const double> samples);
// Every value held within -level..level.
std::vector<double> clipped(std::span<const double> samples, double level);
// Each value to the nearest of `levels` equally spaced values from the
// samples' smallest to their largest (a tie to the upper one).
std::vector<double> quantized(std::span<const double> samples, int levels);
// The value at each of `perPeriod` equally spaced instants, the first at the
// period's start, held until the next: each instant takes the first sample at
// or after it.
std::vector<double> sampledAndHeld(std::span<const double> samples, int perPeriod);

// The largest magnitude among the samples; 0 for none.
double largestMagnitude(std::span<const double> samples);

// The phases (in units of pi) of -f(t): each term turned by half a turn,
// its amplitude kept. A phase in [0, 2) stays there with one rounding.
void invertPhases(std::span<double> Fi);
// The phases of f(-t) in the basis chosen: sin(-x + a) = sin(x - a + pi),
// cos(-x + a) = cos(x - a). A phase in [0, 2) stays there with one rounding.
void reversePhases(std::span<double> Fi, bool sinBasis);
// The amplitudes with only the odd, or only the even, terms left.
void keepParity(std::span<double> A, bool odd);

} // namespace tavelo
