#pragma once

#include <vector>

namespace tavelo {

// One bar of the amplitude spectrum: the segment from (barX, baseY) to
// (barX, baseY + deltaY), in the spectrum area's own units, y downwards.
// A bar that could not be computed, or that does not fit single precision,
// has a non-finite field and must not be drawn.
struct SpectrumBar {
    float barX;
    float baseY;
    float deltaY;
};

// The bars of harmonics 1..N (A indexed 1..N, index 0 unused) for a spectrum
// area of the given outer Width and Height, where an amplitude of |H| reaches
// the top edge. N below 1 gives no bars; entries beyond the end of A are not read.
std::vector<SpectrumBar> spectrumBars(double N, const std::vector<double>& A, double H, double Width, double Height);

// Whether every field of the bar is a finite single-precision number.
bool isDrawable(const SpectrumBar& bar);

} // namespace tavelo
