#include "core/plotextent.h"

#include "core/numbertext.h"
#include "core/series.h"
#include "core/vectorstate.h"

#include <algorithm>
#include <cmath>

namespace tavelo {

std::optional<double> largestDrawnMagnitude(const HarmonicParams& params, double W)
{
    releaseUpperVectorState();
    double largest = 0;
    for (double x = 0; x <= std::max(W, 0.0); x = x + 1) {
        const std::optional<double> f = SeriesValue(params, x, W);
        if (!f)
            return std::nullopt;
        largest = std::max(largest, std::abs(*f));
    }
    return largest;
}

double coveringCoordinate(double magnitude)
{
    if (!(magnitude > 0) || !std::isfinite(magnitude))
        return 0;
    // The rounding goes through the decimal text, so that 1.5 stays 1.5 and
    // is not taken for the double just above it.
    const double step = std::pow(10.0, std::floor(std::log10(magnitude)) - 1);
    const double rounded = RoundedToSignificant(magnitude, 2);
    const double covering = rounded >= magnitude ? rounded : RoundedToSignificant(rounded + step, 2);
    return std::isfinite(covering) ? covering : 0;
}

} // namespace tavelo
