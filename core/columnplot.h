#pragma once

#include "core/harmonicparams.h"
#include "core/plotcanvas.h"
#include "core/series.h"

#include <functional>
#include <span>
#include <vector>

namespace tavelo {

class PlotParts;

enum class PlotEnd {
    Completed,    // every column up to W was drawn
    Cancelled,    // the yield callback asked to stop
    NumericFault, // an intermediate was not finite
};

struct PlotOutcome {
    PlotEnd end = PlotEnd::Completed;
    // Cancelled: the column that was not drawn. NumericFault: the column whose
    // value failed, 0 for the first point. Completed: the last column drawn.
    double column = 0;
    NumericFault fault = NumericFault::None;
    double term = 0; // the harmonic at which a fault in the sum arose
    // The smallest and largest value of the sum among the points drawn; both
    // are 0 and `drawnPoints` is 0 when nothing was drawn.
    double lowest = 0;
    double highest = 0;
    int drawnPoints = 0;
};

// Told of every point of the sum just before the loop draws it: the column,
// the sum's value there and, when the observer asks for them, the sum's
// terms at that column (index n for term n; index 0 unused).
class ColumnObserver {
public:
    virtual ~ColumnObserver() = default;
    virtual bool wantsTerms() const { return false; }
    virtual void pointComputed(double x, double f, std::span<const double> terms) = 0;
};

// Called at every 20th column before it is drawn; returns whether to go on.
using PlotYield = std::function<bool(double column)>;

// How often the plot hands control back while it draws.
inline constexpr double kColumnsPerYield = 20;

// Draws the sum of the series across a plot area W units wide and Hs high:
// the first point at column 0, then one segment per column x = 1, 2, ...
// while x <= W, each with the segments of `parts` that end there. Nothing
// more is drawn after a cancel or a numeric fault; the canvas hears of the
// end either way. Observers hear of each point in their order, before the
// canvas draws it.
PlotOutcome DrawColumns(const HarmonicParams& params, double W, double Hs, PlotCanvas& canvas,
                        const PlotYield& yield, std::span<ColumnObserver* const> observers = {},
                        PlotParts* parts = nullptr);

} // namespace tavelo
