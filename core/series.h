#pragma once

#include "core/harmonicparams.h"

#include <optional>
#include <span>
#include <vector>

namespace tavelo {

// The basis function of the series: sine or cosine of an angle in radians.
double Func(double x, bool sinBasis);

// The time term of harmonic n at plot column x of a plot W units wide that
// shows P periods: (((n * 6.283) * x) * P) / W.
double TimeTerm(double n, double x, double P, double W);

// The sum over n = 1..N of A(n) * Func(pi * Fi(n) + n * theta): the series as
// a continuous function of its fundamental's angle, without the plot's
// 6.283 per period. Terms beyond the ends of A and Fi are not read.
double sumAtAngle(const HarmonicParams& params, double theta);

// One period of the series in `count` samples, at the angles 2 pi k / count:
// the shape a task's target, the limit shape and the tone are made of.
std::vector<double> periodSamples(const HarmonicParams& params, int count);

// Which intermediate of a plot was not finite.
enum class NumericFault {
    None,
    TimeTerm,    // n * 6.283 * x * P / W: too many periods, or W = 0
    Angle,       // pi * Fi(n) + t: a phase too large
    Sum,         // Func * A(n) + f: amplitudes too large
    Coordinate,  // the value mapped onto the plot area
};

struct SeriesEvaluation {
    double value = 0;
    NumericFault fault = NumericFault::None;
    double term = 0; // the harmonic at which the fault arose
};

// The sum over n = 1..N of Func(pi * Fi(n) + t) * A(n) at plot column x of a
// plot W units wide, with t = (((n * 6.283) * x) * P) / W, left out at x = 0.
// Evaluation stops at the first intermediate that is not finite. Terms beyond
// the ends of A and Fi are not read.
SeriesEvaluation EvaluateSeries(const HarmonicParams& params, double x, double W);

// The same sum, which also writes each of its terms, Func(pi * Fi(n) + t) *
// A(n), into terms[n] (terms holds at least N + 1 entries; index 0 is unused).
// The sum is the same to the last bit as without the terms.
SeriesEvaluation EvaluateSeries(const HarmonicParams& params, double x, double W, std::span<double> terms);

// The same sum; std::nullopt when an intermediate was not finite.
std::optional<double> SeriesValue(const HarmonicParams& params, double x, double W);

// The vertical coordinate of the sum value f on a plot Hs units high that
// shows +Amax at its top edge (0) and -Amax at its bottom edge (Hs).
double ColumnY(double f, double Hs, double Amax);

} // namespace tavelo
