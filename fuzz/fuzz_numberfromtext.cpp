// Any bytes read as a field text: no crash, no undefined behaviour, a finite
// result, and blanks inserted anywhere change nothing.

#include "core/numbertext.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double value = tavelo::NumberFromText(text);
    if (!std::isfinite(value))
        std::abort();

    // Blanks at a place and of a kind chosen by the input itself.
    if (size > 0) {
        const std::size_t at = data[0] % (size + 1);
        static const char* const blanks[] = {" ", "\t", "\n", "  \t\n "};
        std::string spaced = text;
        spaced.insert(at, blanks[data[size - 1] % 4]);
        const double again = tavelo::NumberFromText(spaced);
        if (std::memcmp(&value, &again, sizeof value) != 0)
            std::abort();
    }
    return 0;
}
