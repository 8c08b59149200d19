#pragma once

#include "core/harmonicparams.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tavelo {

// One term of the series as a textbook writes it: its number, its amplitude
// and its initial phase in units of pi, each rounded to three significant
// digits.
struct FormulaTerm {
    int n = 0;
    double amplitude = 0;
    double phase = 0;
};

// The terms 1..N with an amplitude other than 0, in ascending order.
std::vector<FormulaTerm> formulaTerms(const HarmonicParams& params);

// "f(t) = ": what the written series begins with.
std::string formulaStart();

// One term as it follows the terms before it: " + 0,333 sin(3·2πt/T)",
// " − 0,2 cos(5·2πt/T + 0,5π)"; the first term has no plus and its minus
// no spaces ("−0,5 sin(2πt/T)"). UTF-8, with the minus sign and pi.
std::string formulaTermText(const FormulaTerm& term, bool first, bool sinBasis, char decimalSeparator);

// The whole series: "f(t) = " and every term, or "f(t) = 0" with none.
std::string formulaText(const std::vector<FormulaTerm>& terms, bool sinBasis, char decimalSeparator);

// The same as a MathML document (presentation markup, UTF-8), which formula
// editors and word processors take from the clipboard.
std::string formulaMathML(const std::vector<FormulaTerm>& terms, bool sinBasis, char decimalSeparator);

// Where the lines of a formula written on at most `lines` lines of `width`
// end: the pieces (the start with the first term, then each term) go on a
// line while they fit and on the next when they do not, a piece wider than a
// line on a line of its own. When pieces are left over, the last line keeps
// room for what says how many: `remainderWidth(left)`. Each entry is the
// index of the first piece after its line; the last one is how many are shown.
std::vector<std::size_t> formulaLineEnds(std::span<const double> pieceWidths, double width, int lines,
                                         const std::function<double(std::size_t left)>& remainderWidth);

} // namespace tavelo
