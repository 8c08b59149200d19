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
        bars.push_back({spectrumBarX(i, N, Width), toSingle(Height), toSingle(deltaY)});
    }
    return bars;
}

float spectrumBarX(double i, double N, double Width)
{
    return toSingle(((Width - static_cast<double>(kRightMargin)) * i) / N);
}

int spectrumTermAt(double x, int N, double Width)
{
    const double span = Width - static_cast<double>(kRightMargin);
    if (N < 1 || !(span > 0) || !std::isfinite(x))
        return N < 1 ? 0 : 1;
    // Bar i stands at span i / N.
    const double nearest = std::round(x * N / span);
    return static_cast<int>(std::clamp(nearest, 1.0, double(N)));
}

double spectrumAmplitudeAt(double y, double H, double Height)
{
    const double top = std::abs(H);
    if (!(Height > 0) || !std::isfinite(top) || !std::isfinite(y))
        return 0;
    const double share = std::clamp((Height - y) / Height, 0.0, 1.0);
    return std::round(share * 100) * top / 100;
}

double steppedAmplitude(double A, double H, AmplitudeStep step)
{
    const int hundredths = static_cast<int>(step);
    const double changed = A + hundredths * std::abs(H) / 100;
    if (hundredths < 0)
        return A < 0 ? A : std::max(changed, 0.0);
    return std::isfinite(changed) ? changed : A;
}

bool isDrawable(const SpectrumBar& bar)
{
    return std::isfinite(bar.barX) && std::isfinite(bar.baseY) && std::isfinite(bar.deltaY);
}

} // namespace tavelo
