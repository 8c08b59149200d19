#include "core/recordinganalysis.h"

#include "core/termcount.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace tavelo {

namespace {

// A sample this close to full scale counts as clipped.
constexpr double kFullScale = 0.999;
constexpr double kClippedShare = 0.01;
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
constexpr std::size_t kMostPeriods = 64;
// How far a period may differ from the one before it.
constexpr double kPeriodStep = 0.04;
// The windowed sinc reaches this many samples either side.
constexpr int kSincReach = 16;
// The period is looked for below this frequency, in hertz.
constexpr double kPitchBand = 2500;
// Amplitudes are given to 12 significant digits of the largest, which is 1.
constexpr double kAmplitudeGrid = 1e11;
// Above this the noise cannot be told from the arithmetic's.
constexpr double kMostSignalToNoise = 120;

// The samples through a fourth-order Butterworth low-pass, two biquads of
// the audio EQ cookbook. The period is looked for in what it passes: at lags
// of whole samples, harmonics near half the sample rate never repeat well,
// and a high sound would seem to repeat best at a multiple of its period.
std::vector<double> lowPassed(const std::vector<double>& x, int sampleRate)
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

// The samples' value at position u, between samples by a sinc windowed to
// kSincReach samples either side and normalised to pass a constant whole.
double valueAt(const std::vector<double>& x, double u)
{
    const double whole = std::floor(u);
    const auto i = static_cast<std::ptrdiff_t>(whole);
    const double f = u - whole;
    if (f == 0)
        return x[std::size_t(i)];
    // sin(pi (f - m)) is (-1)^m sin(pi f): one sine serves every tap.
    const double sine = std::sin(std::numbers::pi * f) / std::numbers::pi;
    double sum = 0;
    double weights = 0;
    for (int m = -kSincReach + 1; m <= kSincReach; ++m) {
        const double t = f - m;
        const double edge = t / kSincReach;
        const double window = (1 - edge * edge) * (1 - edge * edge);
        const double weight = (m % 2 == 0 ? sine : -sine) / t * window;
        sum += x[std::size_t(i + m)] * weight;
        weights += weight;
    }
    return sum / weights;
}

// Where a period that starts at `start` and is about `expected` long ends:
// the lag at which the sound that follows repeats it best, by normalised
// cross-correlation, refined between samples by a parabola. Nothing when the
// samples before `end` run out.
std::optional<double> nextPeriodStart(const std::vector<double>& x, double start, double expected, std::size_t end)
{
    const auto from = static_cast<std::size_t>(std::floor(start));
    const auto length = static_cast<std::size_t>(std::lround(expected));
    const auto shortest = static_cast<std::size_t>(std::floor(expected * (1 - kPeriodStep))) - 1;
    const auto longest = static_cast<std::size_t>(std::ceil(expected * (1 + kPeriodStep))) + 1;
    if (from + longest + 1 + length > end)
        return std::nullopt;
    double ownEnergy = 0;
    for (std::size_t j = 0; j < length; ++j)
        ownEnergy += x[from + j] * x[from + j];
    std::vector<double> likeness(longest + 2, -1.0);
    for (std::size_t lag = shortest - 1; lag <= longest + 1; ++lag) {
        double product = 0;
        double energy = 0;
        for (std::size_t j = 0; j < length; ++j) {
            product += x[from + j] * x[from + lag + j];
            energy += x[from + lag + j] * x[from + lag + j];
        }
        const double norm = std::sqrt(ownEnergy * energy);
        likeness[lag] = norm > 0 ? product / norm : 0;
    }
    std::size_t best = shortest;
    for (std::size_t lag = shortest; lag <= longest; ++lag)
        if (likeness[lag] > likeness[best])
            best = lag;
    const double before = likeness[best - 1];
    const double at = likeness[best];
    const double after = likeness[best + 1];
    const double curvature = before - 2 * at + after;
    const double offset = curvature < 0 ? std::clamp((before - after) / (2 * curvature), -0.5, 0.5) : 0.0;
    return start + double(best) + offset;
}

struct Average {
    std::vector<double> period;
    double signalToNoise = 0;
};

// The periods between the starts resampled to kRecordedPeriodSamples points
// each, from `shift` of a period on and round to its start, and averaged.
Average averagePeriods(const std::vector<double>& x, const std::vector<double>& starts, std::size_t periods,
                       double shift)
{
    constexpr std::size_t M = kRecordedPeriodSamples;
    std::vector<double> sums(M, 0.0);
    std::vector<double> squares(M, 0.0);
    for (std::size_t p = 0; p < periods; ++p) {
        const double length = starts[p + 1] - starts[p];
        for (std::size_t j = 0; j < M; ++j) {
            double at = double(j) / double(M) + shift;
            at -= std::floor(at);
            const double v = valueAt(x, starts[p] + at * length);
            sums[j] += v;
            squares[j] += v * v;
        }
    }
    Average average;
    average.period.resize(M);
    double mean = 0;
    double noise = 0;
    for (std::size_t j = 0; j < M; ++j) {
        const double value = sums[j] / double(periods);
        average.period[j] = value;
        mean += value;
        noise += std::max(0.0, squares[j] / double(periods) - value * value);
    }
    mean /= double(M);
    double signal = 0;
    for (double& v : average.period) {
        v -= mean;
        signal += v * v;
    }
    average.signalToNoise = noise > 0 && signal > 0 ? std::min(kMostSignalToNoise, 10 * std::log10(signal / noise))
                                                    : signal > 0 ? kMostSignalToNoise : 0;
    return average;
}

struct SteadyStretch {
    std::size_t first = 0; // sample
    std::size_t end = 0;
    double period = 0; // of its first frame
};

// The longest run of periodic frames, up to kLongestSteadySeconds, whose
// periods stay within kSteadySpread of each other, and of those the one
// whose periods spread least; nothing when no run lasts kShortestSteadySeconds.
std::optional<SteadyStretch> steadiestStretch(const std::vector<FramePitch>& frames, std::size_t frame,
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
            return SteadyStretch{*best * frame, (*best + run) * frame, frames[*best].period};
    }
    return std::nullopt;
}

} // namespace

std::variant<RecordedSound, RecordingFault> analyseRecording(std::span<const float> samples, int sampleRate,
                                                             bool sinBasis)
{
    const std::size_t count = samples.size();
    if (count == 0 || sampleRate <= 0)
        return RecordingFault::TooQuiet;
    std::size_t clipped = 0;
    double mean = 0;
    for (const float v : samples) {
        clipped += std::abs(double(v)) >= kFullScale ? 1 : 0;
        mean += double(v);
    }
    mean /= double(count);
    std::vector<double> x(count);
    double peak = 0;
    for (std::size_t k = 0; k < count; ++k) {
        x[k] = double(samples[k]) - mean;
        peak = std::max(peak, std::abs(x[k]));
    }
    if (!(peak >= kQuietestPeak))
        return RecordingFault::TooQuiet;
    if (double(clipped) > kClippedShare * double(count))
        return RecordingFault::TooLoud;

    // The period in frames as long as the longest period, one after another.
    const std::vector<double> band = lowPassed(x, sampleRate);
    const auto shortest = std::max<std::size_t>(2, static_cast<std::size_t>(std::floor(sampleRate / kHighestPitch)));
    const auto longest = static_cast<std::size_t>(std::ceil(sampleRate / kLowestPitch));
    const std::size_t frame = std::max<std::size_t>(1024, std::bit_ceil(longest));
    std::vector<FramePitch> frames;
    std::vector<double> work;
    for (std::size_t at = 0; at + frame + longest + 2 <= count; at += frame) {
        FramePitch pitch = framePitch(band.data() + at, frame, shortest, longest, work);
        if (pitch.period < double(shortest) || pitch.period > double(longest))
            pitch.aperiodicity = 1;
        frames.push_back(pitch);
    }
    const std::optional<SteadyStretch> stretch = steadiestStretch(frames, frame, sampleRate);
    if (!stretch)
        return RecordingFault::NoPitch;

    // Period by period through the stretch, leaving room for the sinc.
    const std::size_t end = std::min(stretch->end + longest, count - kSincReach - 1);
    std::vector<double> starts{double(std::max<std::size_t>(stretch->first, kSincReach))};
    double period = stretch->period;
    while (starts.size() <= kMostPeriods) {
        const std::optional<double> next = nextPeriodStart(band, starts.back(), period, end);
        if (!next)
            break;
        period = *next - starts.back();
        starts.push_back(*next);
    }
    const std::size_t periods = starts.size() - 1;
    if (periods < 2)
        return RecordingFault::NoPitch;

    RecordedSound sound;
    sound.fundamental = double(sampleRate) * double(periods) / (starts.back() - starts.front());
    sound.periods = static_cast<int>(periods);
    // The time origin where the fundamental's phase is 0: the term
    // A Func(pi Fi + 2 pi t / T) has phase Fi + 2 s at t = s T.
    const Average first = averagePeriods(x, starts, periods, 0);
    const double phase = analyseShape(first.period, sinBasis).Fi[1];
    double shift = 1 - phase / 2;
    shift -= std::floor(shift);
    Average average = averagePeriods(x, starts, periods, shift);
    sound.signalToNoise = average.signalToNoise;

    // Harmonics at or above half the sample rate were not recorded.
    const double highestHarmonic = double(sampleRate) / 2 / sound.fundamental;
    const auto withoutUnrecorded = [highestHarmonic](ShapeTerms terms) {
        for (std::size_t n = 1; n < terms.A.size(); ++n) {
            if (double(n) >= highestHarmonic) {
                terms.A[n] = 0;
                terms.Fi[n] = 0;
            }
        }
        return terms;
    };
    sound.terms = withoutUnrecorded(analyseShape(average.period, sinBasis));
    const double largest = *std::max_element(sound.terms.A.begin() + 1, sound.terms.A.end());
    if (!(largest > 0))
        return RecordingFault::NoPitch;
    // The largest amplitude becomes 1; the others keep 12 significant digits of it.
    for (double& v : average.period)
        v /= largest;
    for (std::size_t n = 1; n < sound.terms.A.size(); ++n) {
        sound.terms.A[n] = std::round(sound.terms.A[n] / largest * kAmplitudeGrid) / kAmplitudeGrid;
        if (sound.terms.A[n] == 0)
            sound.terms.Fi[n] = 0;
    }
    // The shift leaves the fundamental's phase within the sinc's error of 0.
    sound.terms.Fi[1] = 0;
    sound.terms.mean = 0;
    sound.period.samples = std::move(average.period);
    return sound;
}

} // namespace tavelo
