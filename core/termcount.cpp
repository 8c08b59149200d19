#include "core/termcount.h"

#include <algorithm>
#include <cmath>

namespace tavelo {

// Both clamp in double precision before the conversion, so that no value,
// however large, can overflow the integer.

int termsToRead(double N)
{
    return static_cast<int>(std::clamp(std::floor(N), 0.0, double{kMaxTerms}));
}

int validTermCount(double N)
{
    return static_cast<int>(std::clamp(std::floor(N), 1.0, double{kMaxTerms}));
}

} // namespace tavelo
