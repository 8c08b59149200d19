// The series written as the textbook writes it, as text and as MathML.

#include "core/seriesformula.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

tavelo::HarmonicParams series(std::vector<double> A, std::vector<double> Fi, bool sinBasis)
{
    tavelo::HarmonicParams params;
    params.N = double(A.size() - 1);
    params.A = std::move(A);
    params.Fi = std::move(Fi);
    params.sinBasis = sinBasis;
    return params;
}

struct FormulaCase {
    const char* what;
    tavelo::HarmonicParams params;
    char decimalSeparator;
    std::string text;
};

TEST(SeriesFormula, WritesTheTermsAsTheTextbookDoes)
{
    const FormulaCase cases[] = {
        {"a square wave's first terms, zero terms left out, in a Russian locale",
         series({0, 1, 0, 1.0 / 3, 0, 0.2}, {0, 0, 0, 0, 0, 0}, true), ',',
         "f(t) = 1 sin(2πt/T) + 0,333 sin(3·2πt/T) + 0,2 sin(5·2πt/T)"},
        {"phases in units of pi, one pi as pi alone, cosines, a full stop",
         series({0, 2, -0.5, 0.125}, {0, 0.5, -1, -0.25}, false), '.',
         "f(t) = 2 cos(2πt/T + 0.5π) − 0.5 cos(2·2πt/T − π) + 0.125 cos(3·2πt/T − 0.25π)"},
        {"a first term below zero, three significant digits",
         series({0, 0, -1.23456, 12345.6}, {0, 0, 1.99999, 0.123456}, true), '.',
         "f(t) = −1.23 sin(2·2πt/T + 2π) + 12300 sin(3·2πt/T + 0.123π)"},
        {"no term at all", series({0, 0, 0}, {0, 1, 1}, true), ',', "f(t) = 0"},
    };
    for (const FormulaCase& c : cases) {
        const std::vector<tavelo::FormulaTerm> terms = tavelo::formulaTerms(c.params);
        EXPECT_EQ(tavelo::formulaText(terms, c.params.sinBasis, c.decimalSeparator), c.text) << c.what;
        std::string joined = tavelo::formulaStart();
        for (std::size_t i = 0; i < terms.size(); ++i)
            joined += tavelo::formulaTermText(terms[i], i == 0, c.params.sinBasis, c.decimalSeparator);
        if (!terms.empty()) {
            EXPECT_EQ(joined, c.text) << c.what << ": the terms one by one";
        }
    }
}

TEST(SeriesFormula, MathMLHoldsEveryTermInOrder)
{
    const auto terms = tavelo::formulaTerms(series({0, 1, 0, -0.5}, {0, 0, 0, 0.25}, true));
    const std::string ml = tavelo::formulaMathML(terms, true, ',');
    EXPECT_EQ(ml.rfind("<?xml", 0), 0U);
    EXPECT_NE(ml.find("<math xmlns=\"http://www.w3.org/1998/Math/MathML\""), std::string::npos);
    const std::string second = "<mo>−</mo><mn>0,5</mn><mo>\u2062</mo><mi>sin</mi><mo>\u2061</mo><mrow><mo>(</mo>"
                               "<mn>3</mn><mo>·</mo><mn>2</mn><mi>π</mi><mi>t</mi><mo>/</mo><mi>T</mi>"
                               "<mo>+</mo><mn>0,25</mn><mi>π</mi><mo>)</mo></mrow>";
    const std::size_t first = ml.find("<mn>1</mn>");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(ml.find(second, first), std::string::npos) << ml;
    // Every element closed: as many opening tags as closing ones.
    std::size_t opening = 0, closing = 0;
    for (std::size_t at = ml.find('<'); at != std::string::npos; at = ml.find('<', at + 1)) {
        if (ml.compare(at, 2, "</") == 0)
            ++closing;
        else if (ml.compare(at, 2, "<?") != 0)
            ++opening;
    }
    EXPECT_EQ(opening, closing);
}

TEST(SeriesFormula, LinesHoldWhatFitsAndRoomForTheRest)
{
    const auto remainder = [](std::size_t left) { return left >= 10 ? 4.0 : 3.0; };
    struct LayoutCase {
        const char* what;
        std::vector<double> widths;
        std::vector<std::size_t> ends;
    };
    const LayoutCase cases[] = {
        {"everything on one line", {3, 3, 3}, {3}},
        {"the second line takes the rest", {4, 4, 4, 4}, {2, 4}},
        {"the last line leaves room for the count", {5, 5, 3, 3, 3, 3}, {2, 4}},
        {"a piece wider than a line on a line of its own", {12, 2, 2}, {1, 3}},
        {"the count wider than a term: one term stays on the last line", {5, 9, 9, 9}, {1, 2}},
    };
    for (const LayoutCase& c : cases)
        EXPECT_EQ(tavelo::formulaLineEnds(c.widths, 10, 2, remainder), c.ends) << c.what;
}

} // namespace
