#pragma once

#include <optional>
#include <span>

namespace tavelo {

// The places a listener jumps to on a curve drawn column by column: its
// extremes, its crossings of zero and its jumps, found from a column in
// either direction, and the figures that sum the curve up. Columns are
// indices into the values.

enum class Heading { Forward, Backward };

struct Extreme {
    int column = 0;
    double value = 0;
    bool maximum = true;
};

// The next extreme strictly beyond `from`: a column whose value is above
// (a maximum) or below (a minimum) its neighbours', a level stretch counting
// once, at its middle. The ends of the curve are no extremes.
std::optional<Extreme> nextExtreme(std::span<const double> values, int from, Heading heading);

struct ZeroCrossing {
    int column = 0;      // the column nearer to zero of the two the sign changes between
    double at = 0;       // where the straight line between them meets zero, in columns
    bool upward = true;  // from below zero to above, left to right
};

// The next crossing strictly beyond `from`. A value of exactly 0 between two
// of one sign touches zero without crossing it.
std::optional<ZeroCrossing> nextZeroCrossing(std::span<const double> values, int from, Heading heading);

struct Jump {
    int column = 0;  // the steepest column of the jump
    double size = 0; // the change across it, left to right
};

// The next jump strictly beyond `from`: a stretch where the curve changes by
// more than a tenth of its range within `window` columns (a hundredth of a
// period: a partial sum's jump is steep, never a step), told by its steepest
// column and the change from its start to its end.
std::optional<Jump> nextJump(std::span<const double> values, int window, int from, Heading heading);

struct CurveSummary {
    double lowest = 0;
    int lowestColumn = 0;
    double highest = 0;
    int highestColumn = 0;
    double rms = 0;
    int zeroCrossings = 0;
};

// The smallest and largest value and where they first are, the root mean
// square and how many times the curve crosses zero.
CurveSummary summarize(std::span<const double> values);

} // namespace tavelo
