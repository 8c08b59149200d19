#include "core/columnplot.h"

#include "core/plotparts.h"
#include "core/singleprecision.h"
#include "core/vectorstate.h"

#include <algorithm>
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

// Evaluates the sum at a column for the observers, with its terms where one
// of them asks for them.
class ObservedSeries {
public:
    ObservedSeries(const HarmonicParams& params, double W, std::span<ColumnObserver* const> observers,
                   PlotParts* parts)
        : m_params(params)
        , m_W(W)
        , m_observers(observers)
        , m_parts(parts)
    {
        const bool wantsTerms = (parts && parts->wantsTerms())
                                || std::any_of(observers.begin(), observers.end(),
                                               [](const ColumnObserver* observer) { return observer->wantsTerms(); });
        if (wantsTerms)
            m_terms.assign(params.A.size(), 0.0);
    }

    SeriesEvaluation evaluate(double x)
    {
        return m_terms.empty() ? EvaluateSeries(m_params, x, m_W) : EvaluateSeries(m_params, x, m_W, m_terms);
    }

    void tell(double x, double f) const
    {
        for (ColumnObserver* observer : m_observers)
            observer->pointComputed(x, f, m_terms);
    }

    // The parts that end at column x, where the sum is f.
    bool hasParts() const { return m_parts != nullptr; }
    ColumnParts partsAt(double x, double f) const { return m_parts->at(x, f, m_terms); }

private:
    const HarmonicParams& m_params;
    double m_W;
    std::span<ColumnObserver* const> m_observers;
    PlotParts* m_parts;
    std::vector<double> m_terms;
};

PlotOutcome DrawEveryColumn(const HarmonicParams& params, double W, double Hs, PlotCanvas& canvas,
                            const PlotYield& yield, std::span<ColumnObserver* const> observers, PlotParts* parts)
{
    releaseUpperVectorState();
    DrawnRange drawn;
    ObservedSeries series(params, W, observers, parts);
    const SeriesEvaluation first = series.evaluate(0);
    if (first.fault != NumericFault::None)
        return drawn.outcome(PlotEnd::NumericFault, 0, first.fault, first.term);
    const double y0 = ColumnY(first.value, Hs, params.Amax);
    if (!std::isfinite(y0))
        return drawn.outcome(PlotEnd::NumericFault, 0, NumericFault::Coordinate);
    series.tell(0, first.value);
    if (series.hasParts())
        series.partsAt(0, first.value);
    canvas.firstPoint(0.0f, toSingle(y0));
    drawn.add(first.value);

    double lastDrawn = 0;
    for (double x = 1; x <= W; x = x + 1) {
        const SeriesEvaluation column = series.evaluate(x);
        if (column.fault != NumericFault::None)
            return drawn.outcome(PlotEnd::NumericFault, x, column.fault, column.term);
        if (std::fmod(x, kColumnsPerYield) == 0 && yield && !yield(x))
            return drawn.outcome(PlotEnd::Cancelled, x);
        const double y = ColumnY(column.value, Hs, params.Amax);
        if (!std::isfinite(y))
            return drawn.outcome(PlotEnd::NumericFault, x, NumericFault::Coordinate);
        series.tell(x, column.value);
        PlotColumn point{toSingle(x), toSingle(y), {}};
        if (series.hasParts())
            point.parts = series.partsAt(x, column.value);
        canvas.nextPoint(point);
        drawn.add(column.value);
        lastDrawn = x;
    }
    return drawn.outcome(PlotEnd::Completed, lastDrawn);
}

} // namespace

PlotOutcome DrawColumns(const HarmonicParams& params, double W, double Hs, PlotCanvas& canvas,
                        const PlotYield& yield, std::span<ColumnObserver* const> observers, PlotParts* parts)
{
    const PlotOutcome outcome = DrawEveryColumn(params, W, Hs, canvas, yield, observers, parts);
    canvas.endOfPlot();
    return outcome;
}

} // namespace tavelo
