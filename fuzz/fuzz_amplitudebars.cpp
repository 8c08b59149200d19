// The spectrum geometry on arbitrary inputs: one bar per term, each either
// drawable with exactly the values of its formulas, or marked undrawable.

#include "core/amplitudebars.h"
#include "core/singleprecision.h"
#include "fuzzinput.h"

#include <cmath>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const unsigned terms = in.small(12);
    std::vector<double> A(terms + 1, 0.0);
    for (unsigned i = 1; i <= terms; ++i)
        A[i] = in.real();
    const double N = in.small(1) ? in.real() : static_cast<double>(terms);
    const double H = in.real();
    const double Width = in.real();
    const double Height = in.real();

    const std::vector<tavelo::SpectrumBar> bars = tavelo::spectrumBars(N, A, H, Width, Height);
    const double lastBar = N >= 1 ? std::fmin(N, static_cast<double>(terms)) : 0;
    if (bars.size() != static_cast<std::size_t>(terms >= 1 && N >= 1 ? std::floor(lastBar) : 0))
        std::abort();
    for (std::size_t k = 0; k < bars.size(); ++k) {
        const tavelo::SpectrumBar& bar = bars[k];
        const double i = static_cast<double>(k + 1);
        if (!tavelo::isDrawable(bar))
            continue;
        if (bar.barX != tavelo::toSingle(((Width - 100.0) * i) / N)
            || bar.baseY != tavelo::toSingle(Height)
            || bar.deltaY != tavelo::toSingle((-A[k + 1] * Height) / std::fabs(H)))
            std::abort();
    }
    return 0;
}
