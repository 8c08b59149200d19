#include "core/amplitudebars.h"

#include "core/singleprecision.h"

#include <algorithm>
#include <cmath>

namespace tavelo {

namespace {

// Room kept free at the right of the spectrum area, in its own units.
constexpr float kRightMargin = 100.0f;

} // namespace

std::vector<SpectrumBar> spectrumBars(double N, const std::vector<double>& A, double H, double Width, double Height)
{
    std::vector<SpectrumBar> bars;
    if (!(N >= 1) || A.size() < 2)
        return bars;
    const double lastBar = std::min(N, static_cast<double>(A.size() - 1));
    bars.reserve(static_cast<std::size_t>(lastBar));
    for (double i = 1; i <= lastBar; i = i + 1) {
        const double deltaY = (-A[static_cast<std::size_t>(i)] * Height) / std::fabs(H);
        const double barX = ((Width - static_cast<double>(kRightMargin)) * i) / N;
        bars.push_back({toSingle(barX), toSingle(Height), toSingle(deltaY)});
    }
    return bars;
}

bool isDrawable(const SpectrumBar& bar)
{
    return std::isfinite(bar.barX) && std::isfinite(bar.baseY) && std::isfinite(bar.deltaY);
}

} // namespace tavelo
