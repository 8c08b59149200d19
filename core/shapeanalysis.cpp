#include "core/shapeanalysis.h"

#include "core/fundamentaltable.h"
#include "core/termcount.h"
#include "core/vectorstate.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavelo {

namespace {

// Phases are given to a millionth of a millionth of pi.
constexpr double kPhaseGrid = 1e12;
// Amplitudes to 12 significant digits of the largest.
constexpr double kAmplitudeDigits = 12;

} // namespace

bool ShapeTerms::meanMatters() const
{
    return std::abs(mean) > 0.01 * (highest - lowest);
}

ShapeTerms analyseShape(std::span<const double> samples, bool sinBasis)
{
    releaseUpperVectorState();
    ShapeTerms terms;
    terms.A.assign(std::size_t(kMaxTerms) + 1, 0.0);
    terms.Fi.assign(std::size_t(kMaxTerms) + 1, 0.0);
    const std::size_t count = samples.size();
    if (count == 0)
        return terms;
    double sum = 0;
    terms.lowest = terms.highest = samples.front();
    for (const double v : samples) {
        sum += v;
        terms.lowest = std::min(terms.lowest, v);
        terms.highest = std::max(terms.highest, v);
    }
    terms.mean = sum / double(count);

    const auto [cosines, sines] = fundamentalTable(count);
    std::vector<double> centred(samples.begin(), samples.end());
    for (double& v : centred)
        v -= terms.mean;

    const std::size_t resolved = std::min<std::size_t>(kMaxTerms, (count - 1) / 2);
    double largest = 0;
    for (std::size_t n = 1; n <= resolved; ++n) {
        double real = 0;
        double imaginary = 0;
        std::size_t turn = 0;
        for (std::size_t k = 0; k < count; ++k) {
            real += centred[k] * cosines[turn];
            imaginary -= centred[k] * sines[turn];
            turn += n;
            if (turn >= count)
                turn -= count;
        }
        // The shape holds (2 |c| / M) cos(2 pi n t / T + arg c); sin(x + pi/2) is cos(x).
        real *= 2.0 / double(count);
        imaginary *= 2.0 / double(count);
        terms.A[n] = std::hypot(real, imaginary);
        double phase = std::atan2(imaginary, real) / std::numbers::pi + (sinBasis ? 0.5 : 0.0);
        phase -= 2 * std::floor(phase / 2);
        // A phase within the arithmetic's noise of a round one reads as that
        // one: 0 rather than 1.9999999999999993 or 1.9e-15.
        phase = std::round(phase * kPhaseGrid) / kPhaseGrid;
        terms.Fi[n] = phase >= 2 ? 0 : phase;
        largest = std::max(largest, terms.A[n]);
    }
    // Sums of many samples carry the arithmetic's noise in the last digits:
    // the amplitudes are given to 12 significant digits of the largest, so
    // that 0.25 reads as 0.25 and not as 0.249999999999999.
    const double scale = largest > 0 ? std::pow(10.0, kAmplitudeDigits - 1 - std::floor(std::log10(largest))) : 1;
    for (std::size_t n = 1; n <= resolved; ++n) {
        terms.A[n] = std::round(terms.A[n] * scale) / scale;
        if (!(terms.A[n] > 0) || !std::isfinite(terms.A[n])) {
            terms.A[n] = 0;
            terms.Fi[n] = 0;
        }
    }
    return terms;
}

} // namespace tavelo
