#pragma once

#include "core/harmonicparams.h"

#include <optional>

namespace tavelo {

// The largest magnitude of the sum over the columns 0..W that a plot W units
// wide draws; nothing when the sum cannot be computed at one of them.
std::optional<double> largestDrawnMagnitude(const HarmonicParams& params, double W);

// The largest visible coordinate that shows a curve reaching `magnitude`
// whole: the magnitude rounded up to two significant digits (2.004 gives
// 2.1, 0.95 stays). 0 for a magnitude of 0 or one that is not finite.
double coveringCoordinate(double magnitude);

} // namespace tavelo
