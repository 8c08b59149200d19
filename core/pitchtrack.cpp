#include "core/pitchtrack.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

namespace tavelo {

namespace {

// A frame whose normalised difference at its period is above this is not
// periodic: noise stays near 1, a sung vowel well below 0.1.
constexpr double kAperiodicLimit = 0.2;
// A shorter lag is the period where the sound repeats there within this
// share of its energy as well as at the best lag.
constexpr double kSubmultipleMargin = 0.01;
// The frames of a steady stretch keep their periods within a semitone either way.
constexpr double kSteadySpread = 1.1225;
constexpr double kShortestSteadySeconds = 0.1;
constexpr double kLongestSteadySeconds = 0.3;
// The period is looked for below this frequency, in hertz.
constexpr double kPitchBand = 2500;

} // namespace

std::size_t longestPitchPeriod(int sampleRate)
{
    return static_cast<std::size_t>(std::ceil(sampleRate / kLowestPitch));
}

// Two biquads of the audio EQ cookbook.
std::vector<double> pitchBand(const std::vector<double>& x, int sampleRate)
{
    std::vector<double> y = x;
    const double w = 2 * std::numbers::pi * std::min(kPitchBand, 0.45 * sampleRate) / double(sampleRate);
    for (const double q : {0.5411961001461970, 1.3065629648763766}) {
        const double alpha = std::sin(w) / (2 * q);
        const double c = std::cos(w);
        const double a0 = 1 + alpha;
        const double b0 = (1 - c) / 2 / a0;
        const double b1 = (1 - c) / a0;
        const double a1 = -2 * c / a0;
        const double a2 = (1 - alpha) / a0;
        double x1 = 0;
        double x2 = 0;
        double y1 = 0;
        double y2 = 0;
        for (double& v : y) {
            const double out = b0 * v + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
            x2 = x1;
            x1 = v;
            y2 = y1;
            y1 = out;
            v = out;
        }
    }
    return y;
}

namespace {

struct FramePitch {
    double period = 0;       // in samples
    double aperiodicity = 1; // YIN's normalised difference at the period
};

// YIN on the frame x[0..frame) against lags up to `longest`: the difference
// function, its cumulative-mean normalisation, the period chosen, and the
// period refined between samples by a parabola through the lag and its
// neighbours. `work` holds the normalised differences.
FramePitch framePitch(const double* x, std::size_t frame, std::size_t shortest, std::size_t longest,
                      std::vector<double>& work)
{
    std::vector<double>& normalised = work;
    normalised.assign(longest + 2, 1.0);
    double cumulative = 0;
    for (std::size_t lag = 1; lag <= longest + 1; ++lag) {
        // Four sums side by side, which the processor keeps going at once;
        // the frame is a multiple of four samples.
        double sums[4] = {0, 0, 0, 0};
        for (std::size_t j = 0; j < frame; j += 4) {
            for (std::size_t i = 0; i < 4; ++i) {
                const double step = x[j + i] - x[j + i + lag];
                sums[i] += step * step;
            }
        }
        const double difference = (sums[0] + sums[1]) + (sums[2] + sums[3]);
        cumulative += difference;
        normalised[lag] = cumulative > 0 ? difference * double(lag) / cumulative : 1.0;
    }
    // The local minimum of the normalised difference nearest a lag.
    const auto dipNear = [&](double lag) {
        const auto from = std::max(shortest, static_cast<std::size_t>(std::floor(lag * (1 - 0.03))) - 1);
        const auto to = std::min(longest, static_cast<std::size_t>(std::ceil(lag * (1 + 0.03))) + 1);
        std::size_t best = from;
        for (std::size_t l = from; l <= to; ++l)
            if (normalised[l] < normalised[best])
                best = l;
        return best;
    };
    std::size_t best = shortest;
    for (std::size_t lag = shortest; lag <= longest; ++lag)
        if (normalised[lag] < normalised[best])
            best = lag;
    // The sound repeats at every multiple of its period: the best lag may be
    // one, and the shortest lag that repeats nearly as well is the period.
    std::size_t chosen = best;
    for (std::size_t k = best / shortest; k >= 2; --k) {
        const std::size_t dip = dipNear(double(best) / double(k));
        if (normalised[dip] <= normalised[best] + kSubmultipleMargin) {
            chosen = dip;
            break;
        }
    }
    double offset = 0;
    if (chosen > 1) {
        const double before = normalised[chosen - 1];
        const double at = normalised[chosen];
        const double after = normalised[chosen + 1];
        const double curvature = before - 2 * at + after;
        if (curvature > 0)
            offset = std::clamp((before - after) / (2 * curvature), -0.5, 0.5);
    }
    return {double(chosen) + offset, normalised[chosen]};
}

// The longest run of periodic frames, up to kLongestSteadySeconds, whose
// periods stay within kSteadySpread of each other, and of those the one
// whose periods spread least; nothing when no run lasts kShortestSteadySeconds.
std::optional<SteadyPitch> steadiestStretch(const std::vector<FramePitch>& frames, std::size_t frame,
                                              int sampleRate)
{
    const auto shortestRun = static_cast<std::size_t>(std::ceil(kShortestSteadySeconds * sampleRate / double(frame)));
    const auto longestRun = static_cast<std::size_t>(std::ceil(kLongestSteadySeconds * sampleRate / double(frame)));
    for (std::size_t run = std::min(longestRun, frames.size()); run >= shortestRun && run > 0; --run) {
        std::optional<std::size_t> best;
        double bestSpread = kSteadySpread;
        for (std::size_t first = 0; first + run <= frames.size(); ++first) {
            double lowest = frames[first].period;
            double highest = lowest;
            bool periodic = true;
            for (std::size_t i = first; i < first + run && periodic; ++i) {
                periodic = frames[i].aperiodicity < kAperiodicLimit;
                lowest = std::min(lowest, frames[i].period);
                highest = std::max(highest, frames[i].period);
            }
            if (periodic && highest / lowest <= bestSpread) {
                best = first;
                bestSpread = highest / lowest;
            }
        }
        if (best)
            return SteadyPitch{*best * frame, (*best + run) * frame, frames[*best].period};
    }
    return std::nullopt;
}

} // namespace

std::optional<SteadyPitch> steadiestPitch(const std::vector<double>& band, int sampleRate)
{
    // The period in frames as long as the longest period, one after another.
    const auto shortest = std::max<std::size_t>(2, static_cast<std::size_t>(std::floor(sampleRate / kHighestPitch)));
    const auto longest = longestPitchPeriod(sampleRate);
    const std::size_t frame = std::max<std::size_t>(1024, std::bit_ceil(longest));
    std::vector<FramePitch> frames;
    std::vector<double> work;
    for (std::size_t at = 0; at + frame + longest + 2 <= band.size(); at += frame) {
        FramePitch pitch = framePitch(band.data() + at, frame, shortest, longest, work);
        if (pitch.period < double(shortest) || pitch.period > double(longest))
            pitch.aperiodicity = 1;
        frames.push_back(pitch);
    }
    return steadiestStretch(frames, frame, sampleRate);
}

} // namespace tavelo
