#pragma once

#include "core/celltable.h"

#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace tavelo {

// One period of a shape, sampled at equal steps from its start.
struct Shape {
    std::vector<double> samples;
};

// How many samples a shape brought in as a table has, at least and at most.
inline constexpr std::size_t kShapeMinSamples = 4;
inline constexpr std::size_t kShapeMaxSamples = 100000;
// The largest magnitude a shape's value may have.
inline constexpr double kShapeLargestValue = 1e15;

// Reads one period of a shape as a spreadsheet copies it (readCellRows): one
// column of values at equal steps, or two columns of which the first is the
// time, increasing, and the second the value. Every row has as many cells as
// the first. Samples at uneven times are resampled by straight lines to as
// many equal steps, the period being as many times the mean step, so that
// the last sample is the last before the period ends.
std::variant<Shape, TableFault> readShapeTable(std::string_view text);

// The shape at the angle theta of its fundamental, in radians, a period
// being 2 pi: by straight lines between its samples, round the period's end.
double shapeAt(std::span<const double> samples, double theta);

} // namespace tavelo
