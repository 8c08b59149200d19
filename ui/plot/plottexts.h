#pragma once

#include <QString>
#include <QStringList>

struct ShapeSource;

namespace tavelo {
enum class Waveform;
struct PlotOutcome;
struct PlotResult;
}

// What the plot says in words: to a listener who cannot see it, in its
// corner, and when it could not be drawn.

// A classic waveform as the spectrum's menu and the plot's description name it.
QString waveformTitle(tavelo::Waveform waveform);

// How the plot ended and the range of the sum that was drawn.
QString plotDescription(const tavelo::PlotOutcome& outcome);

// Where the plot stopped on a number it could not compute, what overflowed
// and which parameter to change.
QString plotFaultMessage(const tavelo::PlotOutcome& outcome);

// What a listener hears of the parts drawn beside the sum and of their
// figures, to follow the plot's description; `shape` tells where the terms
// came from when they came from a shape of the user's.
QString partsDescription(const tavelo::PlotResult& result, const ShapeSource* shape);

// The figures of the shape shown for the plot's corner, a line each.
QStringList cornerFigures(const tavelo::PlotResult& result, const ShapeSource* shape);

// What the plot's corner says while a shape is drawn with the mouse.
QString drawingHint();

// What the plot's cursor says of a point: its time in periods of the
// fundamental and the sum there.
QString cursorReadout(double periods, double value);
// What the readout adds of a target's value there: «, цель: 0.5 м».
QString targetReadout(double value);
