#include "core/series.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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
            t = TimeTerm(n, x, params.P, W);
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

double TimeTerm(double n, double x, double P, double W)
{
    return (((n * kTwoPiApprox) * x) * P) / W;
}

double sumAtAngle(const HarmonicParams& params, double theta)
{
    const std::size_t stored = std::min(params.A.size(), params.Fi.size());
    const auto terms = std::min(static_cast<std::size_t>(std::max(params.N, 0.0)), stored == 0 ? 0 : stored - 1);
    double f = 0;
    for (std::size_t n = 1; n <= terms; ++n)
        f += params.A[n] * Func(kPhaseFactor * params.Fi[n] + double(n) * theta, params.sinBasis);
    return f;
}

std::vector<double> periodSamples(const HarmonicParams& params, int count)
{
    std::vector<double> samples(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t k = 0; k < samples.size(); ++k)
        samples[k] = sumAtAngle(params, 2 * std::numbers::pi * double(k) / count);
    return samples;
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
