#pragma once

#include <QString>
#include <QStringList>

namespace tavelo {
struct PlotOutcome;
struct PlotResult;
}

// What the plot says in words: to a listener who cannot see it, in its
// corner, and when it could not be drawn.

// How the plot ended and the range of the sum that was drawn.
QString plotDescription(const tavelo::PlotOutcome& outcome);

// Where the plot stopped on a number it could not compute, what overflowed
// and which parameter to change.
QString plotFaultMessage(const tavelo::PlotOutcome& outcome);

// What a listener hears of the parts drawn beside the sum and of their
// figures, to follow the plot's description.
QString partsDescription(const tavelo::PlotResult& result);

// The figures of the limit shape for the plot's corner, a line each.
QStringList cornerFigures(const tavelo::PlotResult& result);

// What the plot's cursor says of a point: its time in periods of the
// fundamental and the sum there.
QString cursorReadout(double periods, double value);
