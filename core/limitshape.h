#pragma once

#include "core/harmonicparams.h"
#include "core/waveforms.h"

#include <optional>

namespace tavelo {

// theta reduced to one period, (-pi, pi].
double reducedAngle(double theta);

// The fundamental's angle at plot column x of a plot W units wide, as the
// series computes it: pi * Fi(1), plus the time term of n = 1 beyond column 0.
double fundamentalAngle(const HarmonicParams& params, double x, double W);

// The time term of the fundamental alone at plot column x, as the series
// computes it: 0 at column 0.
double fundamentalTimeAngle(const HarmonicParams& params, double x, double W);

// The shape that a classic waveform's series approaches as N grows without
// bound, at the fundamental's angle theta: the square wave pi/4 sign(sin),
// the sawtooth theta/2, the triangle pi/8 (pi - 2|theta|), with theta reduced
// to (-pi, pi]; one harmonic is its one term, in the basis given.
double limitShape(Waveform waveform, double theta, bool sinBasis);

// The classic waveform whose first N terms and basis the parameters hold, as
// the spectrum's menu writes them: each value as its written text reads back.
// Few terms can match several (one term is a square wave, a sawtooth and one
// harmonic at once): then `preferred` wins if it matches, then one harmonic,
// then the menu's order.
std::optional<Waveform> recognizeWaveform(const HarmonicParams& params, std::optional<Waveform> preferred);

// The overshoot of a square wave's or a sawtooth's partial sum: its largest
// value over a whole period of the continuous function, less the largest
// value of the limit shape, as a share of the limit's jump, in percent.
// Empty for the other waveforms, which have no jump.
std::optional<double> overshootPercent(Waveform waveform, const HarmonicParams& params);

} // namespace tavelo
