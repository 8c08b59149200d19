// Any text read as one period of a shape: no crash and no hang; a shape that
// is read holds 4 to 100,000 finite samples within the bounds, and its terms
// in either basis are finite, with phases in [0, 2), nothing the samples
// cannot resolve, and no more power than the samples have about their mean.

#include "core/shape.h"
#include "core/shapeanalysis.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = tavelo::readShapeTable(text);
    if (const auto* fault = std::get_if<tavelo::TableFault>(&read)) {
        if (fault->row < 0 || fault->cell < 0 || fault->cell > 2)
            std::abort();
        return 0;
    }
    const std::vector<double>& samples = std::get<tavelo::Shape>(read).samples;
    if (samples.size() < tavelo::kShapeMinSamples || samples.size() > tavelo::kShapeMaxSamples)
        std::abort();
    for (const double v : samples) {
        if (!(std::abs(v) <= tavelo::kShapeLargestValue))
            std::abort();
    }
    for (const bool sinBasis : {true, false}) {
        const tavelo::ShapeTerms terms = tavelo::analyseShape(samples, sinBasis);
        double variance = 0;
        for (const double v : samples)
            variance += (v - terms.mean) * (v - terms.mean);
        variance /= double(samples.size());
        // Each term carries A^2 / 2 of the power; together no more than the
        // samples' variance (Parseval), less the rounding of the sums.
        double power = 0;
        for (std::size_t n = 1; n < terms.A.size(); ++n) {
            if (!std::isfinite(terms.A[n]) || terms.A[n] < 0 || !(terms.Fi[n] >= 0 && terms.Fi[n] < 2))
                std::abort();
            if (2 * n >= samples.size() && terms.A[n] != 0)
                std::abort();
            power += terms.A[n] * terms.A[n] / 2;
        }
        if (!std::isfinite(terms.mean) || power > variance * (1 + 1e-9) + 1e-300)
            std::abort();
    }
    return 0;
}
