#pragma once

namespace tavelo {

// The spectrum as a control: the term and the amplitude under a point of the
// spectrum area, the inverse of the bars' geometry (spectrumBars), and the
// steps the keys change an amplitude by. Points are in the area's own units,
// y downwards, for an area of the given outer Width and Height.

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
