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

// Where bar i of N stands, as spectrumBars places it.
float spectrumBarX(double i, double N, double Width);

// The spectrum as a control: the term and the amplitude under a point of the
// area, the inverse of the bars' geometry, and the steps the keys change an
// amplitude by. Points are in the area's own units, y downwards.

// The term 1..N whose bar is nearest to x; 0 when there are no bars.
int spectrumTermAt(double x, int N, double Width);

// The amplitude whose bar reaches up to y: 0 at the bars' base line, |H| at
// the top edge, held within them, and rounded to a hundredth of |H|.
double spectrumAmplitudeAt(double y, double H, double Height);

// A key's change of an amplitude, in hundredths of |H|.
enum class AmplitudeStep {
    Up = 5,        // 1/20 of H
    Down = -5,
    FineUp = 1,    // with Shift: 1/100 of H
    FineDown = -1,
    PageUp = 25,   // 1/4 of H
    PageDown = -25,
};

// A changed by the step: upwards without bound, downwards to 0 at the
// lowest (an amplitude already below 0 stays where it is).
double steppedAmplitude(double A, double H, AmplitudeStep step);


} // namespace tavelo
