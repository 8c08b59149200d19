#include "core/columnplot.h"

#include "core/singleprecision.h"

#include <cmath>

namespace tavelo {

namespace {

// The range of the values drawn so far, carried into whatever outcome ends the run.
class DrawnRange {
public:
    void add(double value)
    {
        if (m_count == 0 || value < m_lowest)
            m_lowest = value;
        if (m_count == 0 || value > m_highest)
            m_highest = value;
        ++m_count;
    }

    PlotOutcome outcome(PlotEnd end, double column, NumericFault fault = NumericFault::None, double term = 0) const
    {
        return {end, column, fault, term, m_lowest, m_highest, m_count};
    }

private:
    double m_lowest = 0;
    double m_highest = 0;
    int m_count = 0;
};

} // namespace

PlotOutcome DrawColumns(const HarmonicParams& params, double W, double Hs, PlotSurface& surface,
                        const PlotYield& yield)
{
    DrawnRange drawn;
    const SeriesEvaluation first = EvaluateSeries(params, 0, W);
    if (first.fault != NumericFault::None)
        return drawn.outcome(PlotEnd::NumericFault, 0, first.fault, first.term);
    const double y0 = ColumnY(first.value, Hs, params.Amax);
    if (!std::isfinite(y0))
        return drawn.outcome(PlotEnd::NumericFault, 0, NumericFault::Coordinate);
    surface.PSet(0.0f, toSingle(y0));
    drawn.add(first.value);

    double lastDrawn = 0;
    for (double x = 1; x <= W; x = x + 1) {
        const SeriesEvaluation column = EvaluateSeries(params, x, W);
        if (column.fault != NumericFault::None)
            return drawn.outcome(PlotEnd::NumericFault, x, column.fault, column.term);
        if (std::fmod(x, kColumnsPerYield) == 0 && yield && !yield(x))
            return drawn.outcome(PlotEnd::Cancelled, x);
        const double y = ColumnY(column.value, Hs, params.Amax);
        if (!std::isfinite(y))
            return drawn.outcome(PlotEnd::NumericFault, x, NumericFault::Coordinate);
        surface.Line(toSingle(x), toSingle(y));
        drawn.add(column.value);
        lastDrawn = x;
    }
    return drawn.outcome(PlotEnd::Completed, lastDrawn);
}

} // namespace tavelo
