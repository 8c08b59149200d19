#pragma once

namespace tavelo {

// The nearest single-precision value of v; a v beyond the single range
// becomes an infinity of its sign, as IEEE conversion does.
float toSingle(double v);

} // namespace tavelo
