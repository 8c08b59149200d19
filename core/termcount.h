#pragma once

namespace tavelo {

// The most harmonic terms a series has: the window holds this many amplitude
// fields and as many phase fields.
inline constexpr int kMaxTerms = 250;

// How many term fields a plot or the spectrum reads for the N a field text
// reads as: its whole part, within 0..kMaxTerms.
int termsToRead(double N);

// The N that the field of N keeps: its whole part, within 1..kMaxTerms.
int validTermCount(double N);

} // namespace tavelo
