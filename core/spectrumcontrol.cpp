#include "core/spectrumcontrol.h"

#include <algorithm>
#include <cmath>

namespace tavelo {

namespace {

// Room kept free at the right of the spectrum area, as the bars leave it.
constexpr double kRightMargin = 100.0;

} // namespace

int spectrumTermAt(double x, int N, double Width)
{
    const double span = Width - kRightMargin;
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

} // namespace tavelo
