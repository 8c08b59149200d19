// The series and the column loop on arbitrary doubles: a fault is reported
// exactly when an intermediate, computed here in the same order, is not
// finite; a value returned is finite, and so is every coordinate drawn.

#include "core/core.h"
#include "fuzzinput.h"

#include <cmath>
#include <cstdlib>

namespace {

// The series written out step by step, to check the library against.
bool referenceFaults(const tavelo::HarmonicParams& p, double x, double W, double& value)
{
    double f = 0;
    for (double n = 1; n <= p.N; n = n + 1) {
        const auto i = static_cast<std::size_t>(n);
        double t = 0;
        if (x != 0) {
            t = (((n * 6.283) * x) * p.P) / W;
            if (!std::isfinite(t))
                return true;
        }
        const double angle = x != 0 ? (tavelo::kPhaseFactor * p.Fi[i]) + t : tavelo::kPhaseFactor * p.Fi[i];
        if (!std::isfinite(angle))
            return true;
        f = (tavelo::Func(angle, p.sinBasis) * p.A[i]) + f;
        if (!std::isfinite(f))
            return true;
    }
    value = f;
    return false;
}

class CheckingSurface : public tavelo::PlotCanvas {
public:
    void firstPoint(float x, float y) override { check(x, y); }
    void nextPoint(const tavelo::PlotColumn& column) override { check(column.x, column.y); }
    int calls = 0;

private:
    void check(float x, float y)
    {
        // A coordinate beyond single precision may be infinite, never NaN.
        if (std::isnan(x) || std::isnan(y) || !std::isfinite(x))
            std::abort();
        ++calls;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    tavelo::HarmonicParams p;
    p.N = in.small(8);
    p.sinBasis = in.small(1) == 1;
    p.A.assign(static_cast<std::size_t>(p.N) + 1, 0.0);
    p.Fi.assign(static_cast<std::size_t>(p.N) + 1, 0.0);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(p.N); ++i) {
        p.A[i] = in.real();
        p.Fi[i] = in.real();
    }
    p.P = in.real();
    p.Amax = in.real();
    const double x = in.small(200);
    const double W = in.small(1) ? in.real() : static_cast<double>(in.small(120));
    const double Hs = 337;
    // Inputs come from field texts, which always read as finite numbers.
    for (double v : {p.P, p.Amax, W})
        if (!std::isfinite(v))
            return 0;
    for (std::size_t i = 1; i < p.A.size(); ++i)
        if (!std::isfinite(p.A[i]) || !std::isfinite(p.Fi[i]))
            return 0;

    double expected = 0;
    const bool faults = referenceFaults(p, x, W, expected);
    const std::optional<double> value = tavelo::SeriesValue(p, x, W);
    if (faults == value.has_value())
        std::abort();
    if (value && (!std::isfinite(*value) || *value != expected))
        std::abort();

    if (std::fabs(W) > 200)
        return 0; // the column loop is checked on narrow plots only
    CheckingSurface surface;
    const tavelo::PlotOutcome outcome = tavelo::DrawColumns(p, W, Hs, surface, [&](double) { return in.small(7) != 0; });
    if (outcome.end == tavelo::PlotEnd::NumericFault) {
        double unused = 0;
        const bool seriesFault = referenceFaults(p, outcome.column, W, unused);
        if (seriesFault == (outcome.fault == tavelo::NumericFault::Coordinate))
            std::abort();
    }
    if (outcome.end == tavelo::PlotEnd::Completed && surface.calls != 1 + static_cast<int>(W >= 1 ? std::floor(W) : 0))
        std::abort();
    // The reported range covers exactly the points drawn, and only finite ones.
    if (outcome.drawnPoints != surface.calls || outcome.lowest > outcome.highest || !std::isfinite(outcome.lowest)
        || !std::isfinite(outcome.highest))
        std::abort();
    return 0;
}
