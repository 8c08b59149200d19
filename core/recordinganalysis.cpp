#include "core/recordinganalysis.h"

#include "core/termcount.h"
#include "core/vectorstate.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace tavelo {

namespace {

// A sample this close to full scale counts as clipped.
constexpr double kFullScale = 0.999;
constexpr double kClippedShare = 0.01;
constexpr std::size_t kMostPeriods = 64;
// How far a period may differ from the one before it.
constexpr double kPeriodStep = 0.04;
// The shortest period followed, in samples.
constexpr double kShortestPeriod = 3;
// The windowed sinc reaches this many samples either side.
constexpr int kSincReach = 16;
// Amplitudes are given to 12 significant digits of the largest, which is 1.
constexpr double kAmplitudeGrid = 1e11;
// Above this the noise cannot be told from the arithmetic's.
constexpr double kMostSignalToNoise = 120;

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
    // The lags searched reach one below the shortest: a period must stay
    // long enough for them to lie within the samples after `start`.
    if (!(expected * (1 - kPeriodStep) >= kShortestPeriod))
        return std::nullopt;
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

} // namespace

std::variant<RecordedSound, RecordingFault> analyseRecording(std::span<const float> samples, int sampleRate,
                                                             bool sinBasis)
{
    releaseUpperVectorState();
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

    const std::vector<double> band = pitchBand(x, sampleRate);
    const std::optional<SteadyPitch> stretch = steadiestPitch(band, sampleRate);
    if (!stretch)
        return RecordingFault::NoPitch;

    // Period by period through the stretch, leaving room for the sinc.
    const std::size_t end = std::min(stretch->end + longestPitchPeriod(sampleRate), count - kSincReach - 1);
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
