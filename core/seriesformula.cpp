#include "core/seriesformula.h"

#include "core/numbertext.h"

#include <cmath>
#include <cstddef>

namespace tavelo {

namespace {

constexpr const char* kMinus = "\u2212";
constexpr const char* kPi = "\u03c0";
constexpr const char* kDot = "\u00b7";
constexpr int kDigits = 3;

std::string magnitudeText(double v, char decimalSeparator)
{
    return RealToText(std::fabs(v), decimalSeparator);
}

// The angle's time part: "2πt/T" for the fundamental, "3·2πt/T" above it.
std::string timeText(int n)
{
    std::string text = n == 1 ? std::string() : WholeToText(n) + kDot;
    return text + "2" + kPi + "t/T";
}

// A phase of one pi is written as pi alone.
std::string phaseText(double phase, char decimalSeparator)
{
    const std::string sign = phase < 0 ? std::string(" ") + kMinus + " " : std::string(" + ");
    const std::string factor = std::fabs(phase) == 1 ? std::string() : magnitudeText(phase, decimalSeparator);
    return sign + factor + kPi;
}

std::string element(const char* tag, const std::string& content)
{
    return std::string("<") + tag + ">" + content + "</" + tag + ">";
}

std::string termMathML(const FormulaTerm& term, bool first, bool sinBasis, char decimalSeparator)
{
    std::string ml;
    if (term.amplitude < 0)
        ml += element("mo", kMinus);
    else if (!first)
        ml += element("mo", "+");
    ml += element("mn", magnitudeText(term.amplitude, decimalSeparator));
    ml += element("mo", "\u2062"); // invisible times
    ml += element("mi", sinBasis ? "sin" : "cos");
    ml += element("mo", "\u2061"); // function application
    std::string angle;
    if (term.n != 1)
        angle += element("mn", WholeToText(term.n)) + element("mo", kDot);
    angle += element("mn", "2") + element("mi", kPi) + element("mi", "t") + element("mo", "/") + element("mi", "T");
    if (term.phase != 0) {
        angle += element("mo", term.phase < 0 ? kMinus : "+");
        if (std::fabs(term.phase) != 1)
            angle += element("mn", magnitudeText(term.phase, decimalSeparator));
        angle += element("mi", kPi);
    }
    ml += element("mrow", element("mo", "(") + angle + element("mo", ")"));
    return ml;
}

} // namespace

std::vector<FormulaTerm> formulaTerms(const HarmonicParams& params)
{
    std::vector<FormulaTerm> terms;
    const std::size_t last = params.A.empty() ? 0 : params.A.size() - 1;
    for (std::size_t n = 1; n <= last; ++n) {
        if (params.A[n] == 0)
            continue;
        const double phase = n < params.Fi.size() ? params.Fi[n] : 0.0;
        terms.push_back({static_cast<int>(n), RoundedToSignificant(params.A[n], kDigits),
                         RoundedToSignificant(phase, kDigits)});
    }
    return terms;
}

std::string formulaStart()
{
    return "f(t) = ";
}

std::string formulaTermText(const FormulaTerm& term, bool first, bool sinBasis, char decimalSeparator)
{
    std::string text;
    if (term.amplitude < 0)
        text = first ? std::string(kMinus) : std::string(" ") + kMinus + " ";
    else if (!first)
        text = " + ";
    text += magnitudeText(term.amplitude, decimalSeparator);
    text += sinBasis ? " sin(" : " cos(";
    text += timeText(term.n);
    if (term.phase != 0)
        text += phaseText(term.phase, decimalSeparator);
    return text + ")";
}

std::string formulaText(const std::vector<FormulaTerm>& terms, bool sinBasis, char decimalSeparator)
{
    std::string text = formulaStart();
    if (terms.empty())
        return text + "0";
    for (std::size_t i = 0; i < terms.size(); ++i)
        text += formulaTermText(terms[i], i == 0, sinBasis, decimalSeparator);
    return text;
}

std::string formulaMathML(const std::vector<FormulaTerm>& terms, bool sinBasis, char decimalSeparator)
{
    std::string body = element("mi", "f") + element("mo", "(") + element("mi", "t") + element("mo", ")")
                       + element("mo", "=");
    if (terms.empty())
        body += element("mn", "0");
    for (std::size_t i = 0; i < terms.size(); ++i)
        body += termMathML(terms[i], i == 0, sinBasis, decimalSeparator);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\">"
           + element("mrow", body) + "</math>\n";
}

std::vector<std::size_t> formulaLineEnds(std::span<const double> pieceWidths, double width, int lines,
                                         const std::function<double(std::size_t left)>& remainderWidth)
{
    std::vector<std::size_t> ends;
    std::size_t at = 0;
    while (at < pieceWidths.size() && static_cast<int>(ends.size()) < lines) {
        double used = pieceWidths[at++];
        while (at < pieceWidths.size() && used + pieceWidths[at] <= width)
            used += pieceWidths[at++];
        ends.push_back(at);
    }
    if (ends.empty() || ends.back() == pieceWidths.size())
        return ends;
    // Room on the last line for the count of the terms left out.
    const std::size_t lineStart = ends.size() > 1 ? ends[ends.size() - 2] : 0;
    std::size_t& shown = ends.back();
    const auto lineWidth = [&] {
        double sum = 0;
        for (std::size_t i = lineStart; i < shown; ++i)
            sum += pieceWidths[i];
        return sum;
    };
    while (shown > lineStart + 1 && lineWidth() + remainderWidth(pieceWidths.size() - shown) > width)
        --shown;
    return ends;
}

} // namespace tavelo
