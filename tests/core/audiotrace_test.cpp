// The graph as a sound: the pitch of a value, and the trace's tone, noise
// and clicks where the curve puts them.

#include "core/audiotrace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

constexpr int kRate = 44100;

TEST(AudioTrace, PitchRisesThreeOctavesFromMinusToPlusAmax)
{
    struct Case {
        double value;
        double Amax;
        double pitch;
    };
    const double middle = 110 * std::sqrt(8.0); // 311.1 Hz
    const Case cases[] = {
        {-1, 1, 110},   {0, 1, middle}, {1, 1, 880},  {0.5, 2, 110 * std::pow(8.0, 0.625)},
        {5, 1, 880},    {-5, 1, 110},   {1, -1, 880}, {1e308, 1e-308, 880},
        {std::numeric_limits<double>::quiet_NaN(), 1, middle}, {1, 0, middle},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(tavelo::tracePitch(c.value, c.Amax), c.pitch, 1e-9) << c.value << " of " << c.Amax;
}

// Upward zero crossings of the samples from `from` to `to` seconds, per second.
double crossingRate(const std::vector<float>& samples, double from, double to)
{
    int crossings = 0;
    const auto first = std::size_t(from * kRate);
    const auto last = std::size_t(to * kRate);
    for (std::size_t k = first + 1; k < last; ++k)
        crossings += samples[k - 1] < 0 && samples[k] >= 0;
    return crossings / (to - from);
}

TEST(AudioTrace, FollowsTheCurveWithNoiseBelowZeroAndClicksAtCrossings)
{
    // A curve at +0.5 for its first half and -0.5 for its second.
    std::vector<double> columns(658, 0.5);
    for (std::size_t x = 329; x < columns.size(); ++x)
        columns[x] = -0.5;
    const std::vector<float> trace = tavelo::audioTrace(columns, 1, kRate, 4);
    ASSERT_EQ(trace.size(), 4u * kRate);
    for (const float s : trace)
        ASSERT_LE(std::abs(s), 1.0f);

    // Above 0 a clean tone at the value's pitch, as the cursor's tone.
    const double high = tavelo::tracePitch(0.5, 1);
    EXPECT_NEAR(crossingRate(trace, 0.1, 1.9), high, 2);
    const std::vector<float> tone = tavelo::valueTone(0.5, 1, kRate, 0.12);
    EXPECT_EQ(tone.size(), std::size_t(0.12 * kRate));
    EXPECT_NEAR(crossingRate(tone, 0.01, 0.11), high, 12);

    // Below it the tone is joined by noise: samples beyond the tone's own
    // level, and far more sign changes than its pitch makes.
    int noisy = 0;
    for (std::size_t k = std::size_t(2.1 * kRate); k < std::size_t(3.9 * kRate); ++k)
        noisy += std::abs(trace[k]) > 0.41f;
    EXPECT_GT(noisy, 1000);
    EXPECT_GT(crossingRate(trace, 2.1, 3.9), 2 * tavelo::tracePitch(-0.5, 1));

    // The one crossing, half-way: a click of half full scale.
    const auto middle = std::size_t(2 * kRate);
    float largestNearMiddle = 0;
    for (std::size_t k = middle - 300; k < middle + 300; ++k)
        largestNearMiddle = std::max(largestNearMiddle, std::abs(trace[k]));
    EXPECT_GT(largestNearMiddle, 0.6f);
    float largestAway = 0;
    for (std::size_t k = std::size_t(0.5 * kRate); k < std::size_t(1.5 * kRate); ++k)
        largestAway = std::max(largestAway, std::abs(trace[k]));
    EXPECT_LT(largestAway, 0.41f);
}

TEST(AudioTrace, EmptyOrBrokenCurvesGiveSoundNotFaults)
{
    EXPECT_EQ(tavelo::audioTrace({}, 1, kRate, 4), std::vector<float>(4 * kRate, 0.0f));
    const std::vector<double> broken{std::nan(""), INFINITY, -INFINITY, 1};
    for (const float s : tavelo::audioTrace(broken, 1, kRate, 0.5))
        ASSERT_TRUE(std::isfinite(s) && std::abs(s) <= 1);
}

} // namespace

TEST(AudioTrace, StereoPansWithThePlaceAndKeepsTheLoudness)
{
    const std::vector<double> columns(101, 0.5);
    const int rate = 8000;
    const std::vector<float> mono = tavelo::audioTrace(columns, 1, rate, 1);
    for (const auto& [from, to] : {std::pair{0.0, 1.0}, {0.5, 1.0}}) {
        const std::vector<float> stereo = tavelo::stereoTrace(columns, 1, rate, 1, from, to);
        ASSERT_EQ(stereo.size(), 2 * mono.size());
        const auto energy = [&](std::size_t begin, std::size_t end, int channel) {
            double sum = 0;
            for (std::size_t k = begin; k < end; ++k)
                sum += double(stereo[2 * k + std::size_t(channel)]) * stereo[2 * k + std::size_t(channel)];
            return sum;
        };
        const std::size_t quarter = mono.size() / 4;
        if (from == 0) {
            EXPECT_GT(energy(0, quarter, 0), 4 * energy(0, quarter, 1)) << "the first quarter on the left";
        }
        EXPECT_GT(energy(3 * quarter, mono.size(), 1), 4 * energy(3 * quarter, mono.size(), 0)) << "the last on the right";
        // Left and right together carry what the mono trace does.
        for (std::size_t k = 0; k < mono.size(); k += 97) {
            const double both = double(stereo[2 * k]) * stereo[2 * k] + double(stereo[2 * k + 1]) * stereo[2 * k + 1];
            EXPECT_NEAR(both, double(mono[k]) * mono[k], 1e-6) << k;
        }
    }
}
