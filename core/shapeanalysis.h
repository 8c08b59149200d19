#pragma once

#include <span>
#include <vector>

namespace tavelo {

// The terms of the program's series that make up one period of a shape.
struct ShapeTerms {
    std::vector<double> A;  // terms 1..kMaxTerms, index 0 unused; A(n) >= 0
    std::vector<double> Fi; // in units of pi, in [0, 2)
    double mean = 0;        // the shape's mean, which the series has no term for
    double lowest = 0;      // the shape's smallest and largest sample
    double highest = 0;

    // Whether the mean is enough of the shape to be worth saying it was left
    // out: more than 1 % of the shape's range.
    bool meanMatters() const;
};

// The terms n = 1..kMaxTerms of the sum of A(n) Func(pi Fi(n) + 2 pi n t / T)
// that approximate one period of a shape sampled at t = k T / M, k = 0..M-1,
// in the basis chosen: the discrete Fourier transform of the samples less
// their mean. A harmonic the samples cannot resolve (n at or above M / 2)
// is 0. Amplitudes are given to 12 significant digits of the largest and
// phases to 1e-12 of pi: what lies beyond is the arithmetic's noise, and a
// harmonic that rounds to 0 has no phase.
ShapeTerms analyseShape(std::span<const double> samples, bool sinBasis);

} // namespace tavelo
