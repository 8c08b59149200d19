#pragma once

#include "core/columnplot.h"
#include "core/plotreadout.h"
#include "core/shape.h"
#include "core/waveforms.h"

#include <memory>
#include <optional>

namespace tavelo {

// What the user asked to see beside the sum.
struct PlotChoice {
    bool terms = false; // every term whose amplitude is not 0
    bool limit = false; // the shape the series approaches, where it is known
    // The classic waveform written last: where the fields hold several at
    // once, it is the one they are taken for.
    std::optional<Waveform> lastWaveform;
    // A shape of the user's (drawn, pasted or recorded, its mean taken out)
    // that the terms came from: while it is there, it is the shape shown.
    std::shared_ptr<const Shape> shape;
};

// Everything a plot tells once it has ended.
struct PlotResult {
    PlotOutcome outcome;
    int termsShown = 0;               // terms drawn beside the sum
    bool limitAsked = false;
    std::optional<Waveform> limit;    // the limit shape drawn, where one was known
    bool shapeShown = false;          // the user's shape drawn in its place
    std::optional<double> overshoot;  // at the jump, in percent of it
    std::optional<double> deviation;  // root mean square of the sum less the shape shown, in metres
    PlotReadout readout;              // the values drawn, for a reader of the plot
};

// The plot with the parts chosen: the column loop onto the canvas, the terms
// and the limit shape under the sum, and the figures of the limit shape.
PlotResult DrawPlot(const HarmonicParams& params, double W, double Hs, const PlotChoice& choice, PlotCanvas& canvas,
                    const PlotYield& yield);

} // namespace tavelo
