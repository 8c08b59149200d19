#include "core/fundamentaltable.h"

#include <cmath>
#include <numbers>

namespace tavelo {

FundamentalTable fundamentalTable(std::size_t count)
{
    FundamentalTable table{std::vector<double>(count), std::vector<double>(count)};
    for (std::size_t k = 0; k < count; ++k) {
        const double angle = 2 * std::numbers::pi * double(k) / double(count);
        table.cosines[k] = std::cos(angle);
        table.sines[k] = std::sin(angle);
    }
    return table;
}

} // namespace tavelo
