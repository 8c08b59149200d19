#pragma once

#include <QString>

namespace tavelo {
struct PlotOutcome;
}

// What a listener who cannot see the plot area is told about the finished
// plot: how it ended and the range of the sum that was drawn.
QString plotDescription(const tavelo::PlotOutcome& outcome);
