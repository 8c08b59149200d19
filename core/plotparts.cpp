#include "core/plotparts.h"

#include "core/limitshape.h"
#include "core/series.h"
#include "core/singleprecision.h"

#include <algorithm>
#include <cmath>

namespace tavelo {

PlotParts::PlotParts(const HarmonicParams& params, double W, double Hs, PartsChoice choice)
    : m_params(params)
    , m_W(W)
    , m_Hs(Hs)
    , m_choice(choice)
{
    if (m_choice.terms) {
        m_termPoints.resize(params.A.size());
        m_termSegments.reserve(params.A.size());
    }
}

PlotParts::Point PlotParts::pointAt(double x, double value) const
{
    const double y = ColumnY(value, m_Hs, m_params.Amax);
    if (!std::isfinite(y))
        return {};
    return {toSingle(x), toSingle(y), true};
}

ColumnParts PlotParts::at(double x, double f, std::span<const double> terms)
{
    ColumnParts parts;
    if (m_choice.terms) {
        m_termSegments.clear();
        const std::size_t last = std::min(terms.size(), m_termPoints.size());
        for (std::size_t n = 1; n < last; ++n) {
            if (m_params.A[n] == 0)
                continue;
            const Point point = pointAt(x, terms[n]);
            const Point& previous = m_termPoints[n];
            if (x > 0 && previous.valid && point.valid)
                m_termSegments.push_back({int(n), {previous.x, previous.y, point.x, point.y}});
            m_termPoints[n] = point;
        }
        parts.terms = m_termSegments;
    }
    if (m_choice.limit || m_choice.shape) {
        const double limit = m_choice.shape
                                 ? shapeAt(m_choice.shape->samples, fundamentalTimeAngle(m_params, x, m_W))
                                 : limitShape(*m_choice.limit, fundamentalAngle(m_params, x, m_W), m_params.sinBasis);
        const Point point = pointAt(x, limit);
        if (x > 0 && m_limitPoint.valid && point.valid)
            parts.target = PlotSegment{m_limitPoint.x, m_limitPoint.y, point.x, point.y};
        m_limitPoint = point;
        const double difference = f - limit;
        m_squares += difference * difference;
        ++m_points;
    }
    return parts;
}

std::optional<double> PlotParts::deviation() const
{
    if ((!m_choice.limit && !m_choice.shape) || m_points == 0)
        return std::nullopt;
    return std::sqrt(m_squares / m_points);
}

} // namespace tavelo
