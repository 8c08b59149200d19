#include "core/series.h"

#include <algorithm>
#include <cmath>

namespace tavelo {

namespace {

template <bool kWriteTerms>
SeriesEvaluation evaluate(const HarmonicParams& params, double x, double W, std::span<double> terms)
{
    double lastTerm = std::min(params.N, static_cast<double>(std::min(params.A.size(), params.Fi.size())) - 1);
    if constexpr (kWriteTerms)
        lastTerm = std::min(lastTerm, static_cast<double>(terms.size()) - 1);
    double f = 0;
    for (double n = 1; n <= lastTerm; n = n + 1) {
        const auto index = static_cast<std::size_t>(n);
        double t = 0;
        if (x != 0) {
            t = (((n * kTwoPiApprox) * x) * params.P) / W;
            if (!std::isfinite(t))
                return {f, NumericFault::TimeTerm, n};
        }
        const double angle = x != 0 ? (kPhaseFactor * params.Fi[index]) + t : kPhaseFactor * params.Fi[index];
        if (!std::isfinite(angle))
            return {f, NumericFault::Angle, n};
        const double term = Func(angle, params.sinBasis) * params.A[index];
        if constexpr (kWriteTerms)
            terms[index] = term;
        f = term + f;
        if (!std::isfinite(f))
            return {f, NumericFault::Sum, n};
    }
    return {f, NumericFault::None, 0};
}

} // namespace

double Func(double x, bool sinBasis)
{
    return sinBasis ? std::sin(x) : std::cos(x);
}

SeriesEvaluation EvaluateSeries(const HarmonicParams& params, double x, double W)
{
    return evaluate<false>(params, x, W, {});
}

SeriesEvaluation EvaluateSeries(const HarmonicParams& params, double x, double W, std::span<double> terms)
{
    return evaluate<true>(params, x, W, terms);
}

std::optional<double> SeriesValue(const HarmonicParams& params, double x, double W)
{
    const SeriesEvaluation evaluation = EvaluateSeries(params, x, W);
    if (evaluation.fault != NumericFault::None)
        return std::nullopt;
    return evaluation.value;
}

double ColumnY(double f, double Hs, double Amax)
{
    const double middle = Hs / 2;
    const double offset = ((Hs * f) / Amax) / 2;
    return middle - offset;
}

} // namespace tavelo
