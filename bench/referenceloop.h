#pragma once

#include "core/core.h"

#include <cmath>

namespace bench {

// The plot's arithmetic with nothing around it: no fault tests, no drawing,
// no yields. What the column loop adds is measured against this.
inline double referenceLoop(const tavelo::HarmonicParams& p, double W, double Hs)
{
    double checksum = 0;
    for (double x = 0; x <= W; x = x + 1) {
        double f = 0;
        for (double n = 1; n <= p.N; n = n + 1) {
            const auto i = static_cast<std::size_t>(n);
            const double angle = x != 0 ? (tavelo::kPhaseFactor * p.Fi[i]) + ((((n * 6.283) * x) * p.P) / W)
                                        : tavelo::kPhaseFactor * p.Fi[i];
            f = (tavelo::Func(angle, p.sinBasis) * p.A[i]) + f;
        }
        checksum += static_cast<double>(tavelo::toSingle(tavelo::ColumnY(f, Hs, p.Amax)));
    }
    return checksum;
}

// N terms with amplitudes 1/n and small phases, sine basis.
inline tavelo::HarmonicParams manyTerms(int n)
{
    tavelo::HarmonicParams params;
    params.N = n;
    params.A.assign(static_cast<std::size_t>(n) + 1, 0.0);
    params.Fi.assign(static_cast<std::size_t>(n) + 1, 0.0);
    for (int i = 1; i <= n; ++i) {
        params.A[static_cast<std::size_t>(i)] = 1.0 / i;
        params.Fi[static_cast<std::size_t>(i)] = 0.01 * i;
    }
    params.P = 2;
    params.Amax = 3;
    params.sinBasis = true;
    return params;
}

} // namespace bench
