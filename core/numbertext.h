#pragma once

#include <string>
#include <string_view>

namespace tavelo {

// Reads a field text as a number. Blanks (space, tab, line feed) anywhere in
// the text are ignored; "&H" and "&O" introduce hexadecimal and octal whole
// numbers; otherwise the longest leading decimal number is read, with the
// full stop as the only decimal point and E or D before the exponent. A text
// with no leading number reads as 0. The result is always finite: a decimal
// value beyond the double range reads as the largest finite double of its sign.
double NumberFromText(std::string_view text);

// The decimal digits of n, with "-" before a negative n.
std::string WholeToText(long long n);

// Like WholeToText, but a non-negative n gets one leading space (" 5").
std::string WholeToLabelText(long long n);

// v to 15 significant digits, trailing fraction zeros removed, exponent form
// ("1E+20", "2.5E-05") for magnitudes of 1E15 and above and below 1E-4.
// Negative zero is written "0". A value with no finite text is written as the
// nearest finite one: infinities as the largest finite magnitude, NaN as 0.
std::string RealToText(double v, char decimalSeparator);

// v rounded to the given number of significant decimal digits, or of decimal
// places, correctly rounded from its exact value; RealToText then writes the
// rounded value with no digit beyond them.
double RoundedToSignificant(double v, int digits);
double RoundedToDecimals(double v, int decimals);

} // namespace tavelo
