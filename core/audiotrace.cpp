#include "core/audiotrace.h"

#include "core/tone.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace tavelo {

namespace {

constexpr double kToneLevel = 0.4;
constexpr double kNoiseLevel = 0.08;
constexpr double kClickLevel = 0.5;
constexpr double kClickSeconds = 0.003;

// The same noise every time, so that a trace sounds and tests the same.
class Noise {
public:
    double next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(m_state >> 11) / double(1ULL << 53) * 2 - 1;
    }

private:
    std::uint64_t m_state = 0x2545F4914F6CDD1DULL;
};

} // namespace

double tracePitch(double value, double Amax)
{
    const double range = std::abs(Amax);
    double share = range > 0 && std::isfinite(range) ? value / range : 0;
    if (std::isnan(share))
        share = 0;
    share = std::clamp(share, -1.0, 1.0);
    // Three octaves, evenly in pitch: 110 * 8^((share + 1) / 2).
    return kTraceLowestPitch * std::pow(kTraceHighestPitch / kTraceLowestPitch, (share + 1) / 2);
}

std::vector<float> audioTrace(std::span<const double> columns, double Amax, int sampleRate, double seconds)
{
    const auto count = static_cast<std::size_t>(std::max(0.0, std::round(seconds * sampleRate)));
    std::vector<float> samples(count, 0.0f);
    if (columns.empty() || count == 0)
        return samples;
    Noise noise;
    const double fade = kToneFadeSeconds * sampleRate;
    const auto clickLength = static_cast<std::size_t>(kClickSeconds * sampleRate);
    const double lastColumn = double(columns.size() - 1);
    double phase = 0;
    std::size_t clickLeft = 0;
    std::size_t column = 0;
    for (std::size_t k = 0; k < count; ++k) {
        // The place along the curve, by straight lines between its columns.
        const double at = count > 1 ? lastColumn * double(k) / double(count - 1) : 0;
        const auto left = std::min(static_cast<std::size_t>(at), columns.size() - 1);
        const std::size_t right = std::min(left + 1, columns.size() - 1);
        const double a = std::isfinite(columns[left]) ? columns[left] : 0;
        const double b = std::isfinite(columns[right]) ? columns[right] : 0;
        const double value = a + (b - a) * (at - double(left));
        // A zero crossing between the columns just passed starts a click.
        while (column < left) {
            const double before = columns[column];
            const double after = columns[column + 1];
            if ((before < 0 && after >= 0) || (before >= 0 && after < 0))
                clickLeft = clickLength;
            ++column;
        }
        phase += 2 * std::numbers::pi * tracePitch(value, Amax) / sampleRate;
        if (phase > 2 * std::numbers::pi)
            phase -= 2 * std::numbers::pi;
        double sample = kToneLevel * std::sin(phase);
        if (value < 0)
            sample += kNoiseLevel * noise.next();
        if (clickLeft > 0) {
            // A decaying burst of one polarity: heard as a tick.
            sample += kClickLevel * double(clickLeft) / double(clickLength);
            --clickLeft;
        }
        samples[k] = static_cast<float>(std::clamp(sample * fadeGain(k, count, fade), -1.0, 1.0));
    }
    return samples;
}

std::vector<float> stereoTrace(std::span<const double> columns, double Amax, int sampleRate, double seconds,
                               double panFrom, double panTo)
{
    const std::vector<float> mono = audioTrace(columns, Amax, sampleRate, seconds);
    std::vector<float> stereo(2 * mono.size());
    const std::size_t count = mono.size();
    for (std::size_t k = 0; k < count; ++k) {
        // Equal power: cos and sin of a quarter turn shared between the sides.
        const double along = count > 1 ? double(k) / double(count - 1) : 0;
        const double pan = std::clamp(panFrom + (panTo - panFrom) * along, 0.0, 1.0);
        const double angle = pan * std::numbers::pi / 2;
        stereo[2 * k] = static_cast<float>(mono[k] * std::cos(angle));
        stereo[2 * k + 1] = static_cast<float>(mono[k] * std::sin(angle));
    }
    return stereo;
}

std::vector<float> valueTone(double value, double Amax, int sampleRate, double seconds, bool click)
{
    const auto count = static_cast<std::size_t>(std::max(0.0, std::round(seconds * sampleRate)));
    std::vector<float> samples(count);
    const double step = 2 * std::numbers::pi * tracePitch(value, Amax) / sampleRate;
    const double fade = kToneFadeSeconds * sampleRate;
    const auto clickLength = static_cast<std::size_t>(kClickSeconds * sampleRate);
    for (std::size_t k = 0; k < count; ++k) {
        double sample = kToneLevel * std::sin(step * double(k)) * fadeGain(k, count, fade);
        if (click && k < clickLength)
            sample += kClickLevel * double(clickLength - k) / double(clickLength);
        samples[k] = static_cast<float>(std::clamp(sample, -1.0, 1.0));
    }
    return samples;
}

} // namespace tavelo
