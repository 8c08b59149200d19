// Any plotted curve read by its places, and any period put through the
// operations on a wave: no crash and no hang; every place found lies beyond
// the column searched from, in the curve, and is what it is said to be; the
// summary bounds the curve; and each operation keeps the samples' count and
// gives what it promises (rectified values not below 0, clipped ones within
// the level, quantized ones among the levels, held ones from the samples).

#include "core/curvelandmarks.h"
#include "core/sumoperations.h"
#include "fuzzinput.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkPlaces(const std::vector<double>& values, int window, int from)
{
    const int last = int(values.size()) - 1;
    const auto at = [&](int x) { return values[std::size_t(x)]; };
    for (const auto heading : {tavelo::Heading::Forward, tavelo::Heading::Backward}) {
        const bool forward = heading == tavelo::Heading::Forward;
        const auto beyond = [&](int column) { return column >= 0 && column <= last && (forward ? column > from : column < from); };
        if (const auto e = tavelo::nextExtreme(values, from, heading)) {
            check(beyond(e->column) && e->column > 0 && e->column < last && e->value == at(e->column));
            // Not beaten by its neighbours, a level stretch counting as one.
            check(e->maximum ? at(e->column) >= at(e->column - 1) && at(e->column) >= at(e->column + 1)
                             : at(e->column) <= at(e->column - 1) && at(e->column) <= at(e->column + 1));
        }
        if (const auto c = tavelo::nextZeroCrossing(values, from, heading))
            check(beyond(c->column) && c->at >= 0 && c->at <= last && std::abs(c->at - c->column) <= last);
        if (const auto j = tavelo::nextJump(values, window, from, heading)) {
            const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
            check(beyond(j->column) && j->column >= 1 && std::abs(j->size) <= *highest - *lowest);
        }
    }
    const tavelo::CurveSummary summary = tavelo::summarize(values);
    for (const double v : values)
        check(summary.lowest <= v && v <= summary.highest);
    check(summary.rms <= std::max(std::abs(summary.lowest), std::abs(summary.highest)) * (1 + 1e-12));
    check(summary.zeroCrossings >= 0 && summary.zeroCrossings <= std::max(last, 0));
}

void checkOperations(const std::vector<double>& samples, double level, int levels, int perPeriod)
{
    const std::size_t count = samples.size();
    for (const double v : tavelo::halfWaveRectified(samples))
        check(v >= 0);
    for (const double v : tavelo::fullWaveRectified(samples))
        check(v >= 0);
    const std::vector<double> clipped = tavelo::clipped(samples, level);
    check(clipped.size() == count);
    for (const double v : clipped)
        check(std::abs(v) <= std::abs(level));
    const std::vector<double> quantized = tavelo::quantized(samples, levels);
    check(quantized.size() == count);
    if (count > 0) {
        const auto [lowest, highest] = std::minmax_element(samples.begin(), samples.end());
        const std::set<double> values(quantized.begin(), quantized.end());
        for (const double v : quantized)
            check(v >= *lowest && v <= *highest);
        check(levels < 2 || values.size() <= std::size_t(levels));
    }
    const std::vector<double> held = tavelo::sampledAndHeld(samples, perPeriod);
    check(held.size() == count);
    std::size_t runs = 0;
    for (std::size_t k = 0; k < count; ++k) {
        check(std::find(samples.begin(), samples.end(), held[k]) != samples.end());
        runs += k == 0 || held[k] != held[k - 1];
    }
    check(perPeriod < 1 || runs <= std::size_t(perPeriod));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const int window = int(input.small(40));
    const int levels = int(input.small(70));
    const int perPeriod = int(input.small(70));
    const double level = input.real();
    std::vector<double> values;
    while (!input.empty() && values.size() < 2000) {
        // The curve as drawn and the period sampled: finite values.
        const double v = input.real();
        values.push_back(std::isfinite(v) ? std::clamp(v, -1e15, 1e15) : 0.0);
    }
    const int last = int(values.size()) - 1;
    for (const int from : {-1, 0, last / 2, last, last + 1})
        checkPlaces(values, window, from);
    if (std::isfinite(level))
        checkOperations(values, level, levels, perPeriod);
    // Phases typed as anything finite come back within a turn.
    std::vector<double> phases = values;
    tavelo::invertPhases(phases);
    for (std::size_t n = 1; n < phases.size(); ++n)
        check(phases[n] >= 0 && phases[n] < 2);
    phases = values;
    tavelo::reversePhases(phases, level > 0);
    for (std::size_t n = 1; n < phases.size(); ++n)
        check(phases[n] >= 0 && phases[n] < 2);
    return 0;
}
