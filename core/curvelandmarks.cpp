#include "core/curvelandmarks.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tavelo {

namespace {

int lastOf(std::span<const double> values)
{
    return static_cast<int>(values.size()) - 1;
}

double at(std::span<const double> values, int x)
{
    return values[static_cast<std::size_t>(x)];
}

// The first of the places, in the heading, strictly beyond `from`.
template <typename Place>
std::optional<Place> beyond(const std::vector<Place>& places, int from, Heading heading)
{
    if (heading == Heading::Forward) {
        const auto next = std::find_if(places.begin(), places.end(), [from](const Place& p) { return p.column > from; });
        return next == places.end() ? std::nullopt : std::optional<Place>(*next);
    }
    const auto previous =
        std::find_if(places.rbegin(), places.rend(), [from](const Place& p) { return p.column < from; });
    return previous == places.rend() ? std::nullopt : std::optional<Place>(*previous);
}

std::vector<Extreme> extremes(std::span<const double> values)
{
    std::vector<Extreme> found;
    const int last = lastOf(values);
    int start = 0;
    while (start <= last) {
        // The level stretch start..end.
        int end = start;
        while (end < last && at(values, end + 1) == at(values, start))
            ++end;
        if (start > 0 && end < last) {
            const double v = at(values, start);
            const double before = at(values, start - 1);
            const double after = at(values, end + 1);
            if ((v > before && v > after) || (v < before && v < after))
                found.push_back({(start + end) / 2, v, v > before});
        }
        start = end + 1;
    }
    return found;
}

std::vector<ZeroCrossing> crossings(std::span<const double> values)
{
    std::vector<ZeroCrossing> found;
    const int last = lastOf(values);
    int previous = -1; // the last column that was not 0
    for (int x = 0; x <= last; ++x) {
        const double v = at(values, x);
        if (v == 0)
            continue;
        const bool upward = v > 0;
        if (previous < 0 && x > 0) {
            // The curve starts at zero and leaves it.
            found.push_back({(x - 1) / 2, (x - 1) / 2.0, upward});
        } else if (previous >= 0 && (at(values, previous) > 0) != upward) {
            const double before = at(values, previous);
            if (x - previous > 1)
                found.push_back({(previous + x) / 2, (previous + x) / 2.0, upward});
            else
                found.push_back({std::abs(before) < std::abs(v) ? previous : x, previous + before / (before - v), upward});
        }
        previous = x;
    }
    return found;
}

std::vector<Jump> jumps(std::span<const double> values, int window)
{
    std::vector<Jump> found;
    const int last = lastOf(values);
    if (last < 1)
        return found;
    window = std::clamp(window, 1, last);
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    const double threshold = (*highest - *lowest) / 10;
    if (!(threshold > 0))
        return found;
    const auto rise = [&](int x) { return at(values, x) - at(values, x - window); };
    int x = window;
    while (x <= last) {
        if (std::abs(rise(x)) <= threshold) {
            ++x;
            continue;
        }
        // A run of steep windows of one direction.
        const bool up = rise(x) > 0;
        int end = x;
        while (end < last && std::abs(rise(end + 1)) > threshold && (rise(end + 1) > 0) == up)
            ++end;
        const int start = x - window;
        int steepest = start + 1;
        for (int c = start + 1; c <= end; ++c) {
            if (std::abs(at(values, c) - at(values, c - 1)) > std::abs(at(values, steepest) - at(values, steepest - 1)))
                steepest = c;
        }
        found.push_back({steepest, at(values, end) - at(values, start)});
        x = end + 1;
    }
    return found;
}

} // namespace

std::optional<Extreme> nextExtreme(std::span<const double> values, int from, Heading heading)
{
    return beyond(extremes(values), from, heading);
}

std::optional<ZeroCrossing> nextZeroCrossing(std::span<const double> values, int from, Heading heading)
{
    return beyond(crossings(values), from, heading);
}

std::optional<Jump> nextJump(std::span<const double> values, int window, int from, Heading heading)
{
    return beyond(jumps(values, window), from, heading);
}

CurveSummary summarize(std::span<const double> values)
{
    CurveSummary summary;
    if (values.empty())
        return summary;
    // The first of each, where a listener meets it going right.
    const auto lowest = std::min_element(values.begin(), values.end());
    const auto highest = std::max_element(values.begin(), values.end());
    summary.lowest = *lowest;
    summary.lowestColumn = static_cast<int>(lowest - values.begin());
    summary.highest = *highest;
    summary.highestColumn = static_cast<int>(highest - values.begin());
    double squares = 0;
    for (const double v : values)
        squares += v * v;
    summary.rms = std::sqrt(squares / double(values.size()));
    summary.zeroCrossings = static_cast<int>(crossings(values).size());
    return summary;
}

} // namespace tavelo
