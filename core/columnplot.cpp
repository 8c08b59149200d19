#include "core/columnplot.h"

#include "core/singleprecision.h"

#include <cmath>

namespace tavelo {

namespace {

PlotOutcome faultAt(double column, NumericFault fault, double term)
{
    return {PlotEnd::NumericFault, column, fault, term};
}

} // namespace

PlotOutcome DrawColumns(const HarmonicParams& params, double W, double Hs, PlotSurface& surface,
                        const PlotYield& yield)
{
    const SeriesEvaluation first = EvaluateSeries(params, 0, W);
    if (first.fault != NumericFault::None)
        return faultAt(0, first.fault, first.term);
    const double y0 = ColumnY(first.value, Hs, params.Amax);
    if (!std::isfinite(y0))
        return faultAt(0, NumericFault::Coordinate, 0);
    surface.PSet(0.0f, toSingle(y0));

    double lastDrawn = 0;
    for (double x = 1; x <= W; x = x + 1) {
        const SeriesEvaluation column = EvaluateSeries(params, x, W);
        if (column.fault != NumericFault::None)
            return faultAt(x, column.fault, column.term);
        if (std::fmod(x, kColumnsPerYield) == 0 && yield && !yield(x))
            return {PlotEnd::Cancelled, x, NumericFault::None, 0};
        const double y = ColumnY(column.value, Hs, params.Amax);
        if (!std::isfinite(y))
            return faultAt(x, NumericFault::Coordinate, 0);
        surface.Line(toSingle(x), toSingle(y));
        lastDrawn = x;
    }
    return {PlotEnd::Completed, lastDrawn, NumericFault::None, 0};
}

} // namespace tavelo
