// Any finite double written with the full stop and read back: the text never
// says inf or nan, and reading gives the double nearest to its 15 digits.

#include "core/numbertext.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    double v = 0;
    if (size < sizeof v)
        return 0;
    std::memcpy(&v, data, sizeof v);
    if (!std::isfinite(v))
        return 0;

    const std::string text = tavelo::RealToText(v, '.');
    if (text.find_first_of("iInN") != std::string::npos || text.empty())
        std::abort();
    for (char c : text) {
        if (!std::strchr("0123456789.-+E", c))
            std::abort();
    }

    // The 15 significant digits as the C library rounds them; beyond the range
    // (the largest doubles round up) reading gives the largest double.
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.14e", v);
    double expected = std::strtod(digits, nullptr);
    if (std::isinf(expected))
        expected = std::copysign(DBL_MAX, expected);
    if (expected == 0)
        expected = 0; // negative zero is written "0"
    const double read = tavelo::NumberFromText(text);
    if (std::memcmp(&read, &expected, sizeof read) != 0)
        std::abort();
    return 0;
}
