#include "core/singleprecision.h"

#include <cmath>

namespace tavelo {

float toSingle(double v)
{
    // Halfway between the largest float and the next power of two: from here
    // on, round-to-nearest gives infinity. Converting such a value explicitly
    // keeps the cast itself within the float range.
    constexpr double kOverflowThreshold = 0x1.ffffffp127;
    if (std::isfinite(v) && std::fabs(v) >= kOverflowThreshold)
        return std::signbit(v) ? -HUGE_VALF : HUGE_VALF;
    return static_cast<float>(v);
}

} // namespace tavelo
