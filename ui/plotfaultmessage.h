#pragma once

#include <QString>

namespace tavelo {
struct PlotOutcome;
}

// What the user is told when a plot stopped on a number it could not compute:
// where it stopped, what overflowed and which parameter to change.
QString plotFaultMessage(const tavelo::PlotOutcome& outcome);
