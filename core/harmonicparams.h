#pragma once

#include <vector>

namespace tavelo {

// A phase is typed in units of pi: the window shows "PI  *" before the field.
// The literal is std::numbers::pi to the last bit (the core's tests check
// it); Qt's moc cannot read <numbers>, and the window's headers include this.
inline constexpr double kPhaseFactor = 3.141592653589793;

// The literal of the series' time term, not 2 * pi: the fundamental shows
// 0.99997 of P periods across the plot.
inline constexpr double kTwoPiApprox = 6.283;

// The parameters that one plot reads when it starts and works from until it
// ends. A and Fi hold N + 1 entries; index 0 is unused so that index i is
// harmonic i.
struct HarmonicParams {
    double N = 0;
    std::vector<double> A;
    std::vector<double> Fi;
    double P = 0;
    double Amax = 0;
    bool sinBasis = false;
};

} // namespace tavelo
