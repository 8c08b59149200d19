// A recorded sound back to its terms: the pitch, the averaged period and the
// refusals, on sounds made here by summing sines.

#include "core/recordinganalysis.h"
#include "core/termcount.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr double pi = std::numbers::pi;
constexpr int kRate = 44100;

struct Harmonic {
    int n;
    double amplitude;
    double phase; // radians, of sin
};

struct Sound {
    double fundamental = 196;
    std::vector<Harmonic> harmonics;
    double vibrato = 0; // the pitch's largest relative deviation, at 5 Hz
    double noiseToSignal = 0; // power ratio of added white noise
    double delay = 0;   // seconds the sound started before the recording
    double gain = 0.3;
};

// One second of the sound, summed sine by sine.
std::vector<float> recorded(const Sound& sound, unsigned seed = 1)
{
    std::vector<double> values(kRate);
    double power = 0;
    for (const Harmonic& h : sound.harmonics)
        power += h.amplitude * h.amplitude / 2;
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0, std::sqrt(power * sound.noiseToSignal));
    for (int k = 0; k < kRate; ++k) {
        const double t = double(k) / kRate + sound.delay;
        // The phase of a pitch f (1 + v sin(2 pi 5 t)).
        const double angle = 2 * pi * sound.fundamental * t
                             - sound.fundamental * sound.vibrato / 5 * std::cos(2 * pi * 5 * t);
        double v = 0;
        for (const Harmonic& h : sound.harmonics)
            v += h.amplitude * std::sin(h.n * angle + h.phase);
        values[std::size_t(k)] = v + (sound.noiseToSignal > 0 ? noise(random) : 0);
    }
    std::vector<float> samples;
    for (const double v : values)
        samples.push_back(float(std::clamp(v * sound.gain, -1.0, 1.0)));
    return samples;
}

// Harmonics 1..10 as 1/n with phases that are no pattern.
std::vector<Harmonic> falling(int first = 1)
{
    std::vector<Harmonic> harmonics;
    for (int n = first; n <= 10; ++n)
        harmonics.push_back({n, 1.0 / n, 0.7 * n * n + 0.3});
    return harmonics;
}

double phaseDistance(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 2.0);
    return std::min(d, 2 - d);
}

struct Expected {
    const char* name;
    Sound sound;
    double pitchWithin;  // Hz
    double ratioWithin;  // relative, of A(n) / A(largest)
    double phaseWithin;  // in units of pi
};

TEST(AnalyseRecording, FindsThePitchAndTheTermsOfPeriodicSounds)
{
    const std::vector<Expected> cases = {
        {"a steady tone", {.harmonics = falling()}, 0.05, 0.005, 0.005},
        {"a vibrato of 0.5 %", {.harmonics = falling(), .vibrato = 0.005}, 1.0, 0.02, 0.02},
        {"a first harmonic 10 times weaker than the second",
         {.harmonics = {{1, 0.1, 1.0}, {2, 1.0, 0.2}, {3, 0.5, 2.5}, {4, 0.3, 0.0}}},
         0.05, 0.01, 0.01},
        {"noise at 20 dB", {.harmonics = falling(), .noiseToSignal = 0.01}, 0.5, 0.05, 0.03},
        {"a low voice", {.fundamental = 82.4, .harmonics = falling()}, 0.05, 0.005, 0.005},
        {"a whistle", {.fundamental = 1760, .harmonics = {{1, 1.0, 0.4}, {2, 0.2, 1.9}, {3, 0.05, 3.0}}},
         0.2, 0.01, 0.01},
    };
    for (const Expected& expected : cases) {
        for (const bool sinBasis : {true, false}) {
            SCOPED_TRACE(testing::Message() << expected.name << (sinBasis ? ", SIN" : ", COS"));
            const auto result = tavelo::analyseRecording(recorded(expected.sound), kRate, sinBasis);
            ASSERT_TRUE(std::holds_alternative<tavelo::RecordedSound>(result));
            const auto& sound = std::get<tavelo::RecordedSound>(result);
            EXPECT_NEAR(sound.fundamental, expected.sound.fundamental, expected.pitchWithin);

            double largest = 0;
            for (const Harmonic& h : expected.sound.harmonics)
                largest = std::max(largest, h.amplitude);
            const Harmonic& first = expected.sound.harmonics.front();
            ASSERT_EQ(first.n, 1);
            // sin(x) is cos(x - pi/2); the origin moves so that the fundamental's phase is 0.
            const double basisShift = sinBasis ? 0 : -0.5;
            const double originShift = -(first.phase / pi + basisShift);
            EXPECT_EQ(sound.terms.Fi[1], 0);
            EXPECT_EQ(*std::max_element(sound.terms.A.begin() + 1, sound.terms.A.end()), 1);
            for (int n = 1; n <= tavelo::kMaxTerms; ++n) {
                SCOPED_TRACE(n);
                double amplitude = 0;
                double phase = 0;
                for (const Harmonic& h : expected.sound.harmonics) {
                    if (h.n == n) {
                        amplitude = h.amplitude / largest;
                        phase = h.phase / pi + basisShift + n * originShift;
                    }
                }
                EXPECT_NEAR(sound.terms.A[std::size_t(n)], amplitude, expected.ratioWithin);
                if (amplitude > 0) {
                    EXPECT_LT(phaseDistance(sound.terms.Fi[std::size_t(n)], phase), expected.phaseWithin);
                }
            }
        }
    }
}

TEST(AnalyseRecording, TheSameSoundGivesTheSameTermsWhenEverItStarts)
{
    const Sound early{.harmonics = falling(), .delay = 0.0};
    const Sound late{.harmonics = falling(), .delay = 0.0123};
    const auto a = std::get<tavelo::RecordedSound>(tavelo::analyseRecording(recorded(early), kRate, true));
    const auto b = std::get<tavelo::RecordedSound>(tavelo::analyseRecording(recorded(late), kRate, true));
    for (std::size_t n = 1; n <= 10; ++n) {
        EXPECT_NEAR(a.terms.A[n], b.terms.A[n], 1e-3);
        EXPECT_LT(phaseDistance(a.terms.Fi[n], b.terms.Fi[n]), 1e-3);
    }
    // The target is the period the terms were taken from.
    ASSERT_EQ(a.period.samples.size(), tavelo::kRecordedPeriodSamples);
    for (std::size_t j = 0; j < a.period.samples.size(); j += 64)
        EXPECT_NEAR(a.period.samples[j], b.period.samples[j], 1e-3);
}

TEST(AnalyseRecording, HarmonicsAtOrAboveHalfTheSampleRateAreZero)
{
    // 1500 Hz: harmonic 14 is at 21 kHz, 15 at 22.5 kHz.
    std::vector<Harmonic> harmonics;
    for (int n = 1; n <= 14; ++n)
        harmonics.push_back({n, 1.0 / n, 0.0});
    const auto sound = std::get<tavelo::RecordedSound>(
        tavelo::analyseRecording(recorded({.fundamental = 1500, .harmonics = harmonics}), kRate, true));
    EXPECT_GT(sound.terms.A[14], 0);
    for (std::size_t n = 15; n <= std::size_t(tavelo::kMaxTerms); ++n)
        EXPECT_EQ(sound.terms.A[n], 0) << n;
}

TEST(AnalyseRecording, RefusesWhatCannotBeAnalysed)
{
    std::vector<float> whiteNoise(kRate);
    std::mt19937 random(7);
    std::normal_distribution<float> normal(0, 0.1f);
    for (float& v : whiteNoise)
        v = normal(random);
    std::vector<float> humWithOffset = recorded({.fundamental = 30, .harmonics = {{1, 1, 0}}});
    const struct {
        const char* name;
        std::vector<float> samples;
        tavelo::RecordingFault fault;
    } cases[] = {
        {"silence", std::vector<float>(kRate, 0.0f), tavelo::RecordingFault::TooQuiet},
        {"a tone at -55 dB", recorded({.harmonics = falling(), .gain = 0.0008}), tavelo::RecordingFault::TooQuiet},
        {"nothing", {}, tavelo::RecordingFault::TooQuiet},
        {"a clipped tone", recorded({.harmonics = {{1, 1, 0}}, .gain = 1.2}), tavelo::RecordingFault::TooLoud},
        {"white noise", whiteNoise, tavelo::RecordingFault::NoPitch},
        {"a hum below 50 Hz", humWithOffset, tavelo::RecordingFault::NoPitch},
        {"a twentieth of a second of tone",
         [] {
             std::vector<float> samples = recorded({.harmonics = falling()});
             std::fill(samples.begin() + kRate / 20, samples.end(), 0.0f);
             return samples;
         }(),
         tavelo::RecordingFault::NoPitch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = tavelo::analyseRecording(c.samples, kRate, true);
        ASSERT_TRUE(std::holds_alternative<tavelo::RecordingFault>(result));
        EXPECT_EQ(std::get<tavelo::RecordingFault>(result), c.fault);
    }
}

} // namespace
