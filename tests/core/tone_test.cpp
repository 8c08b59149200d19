#include "core/tone.h"
#include "core/waveforms.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using tavelo::HarmonicParams;

HarmonicParams waveform(tavelo::Waveform which, int N)
{
    const tavelo::WaveformTerms terms = tavelo::classicWaveform(which, N);
    return {double(N), terms.A, terms.Fi, 2, terms.Amax, terms.sinBasis.value_or(true)};
}

constexpr int kRate = 44100;
constexpr std::size_t kFade = 441; // 10 ms

// 441 Hz at 44100 samples a second: a period is exactly 100 samples, which
// the plot's 6.283 for 2 pi would miss by a sample every 20 periods.
TEST(Tone, RepeatsWithTheExactPeriodAtHalfFullScale)
{
    for (const tavelo::Waveform which : {tavelo::Waveform::Square, tavelo::Waveform::Sawtooth,
                                         tavelo::Waveform::Triangle, tavelo::Waveform::OneHarmonic}) {
        const tavelo::Tone tone = tavelo::toneSamples(waveform(which, 40), 441, kRate, 2);
        ASSERT_EQ(tone.samples.size(), 88200u);
        EXPECT_EQ(tone.termsLeftOut, 0);
        float largest = 0;
        for (std::size_t k = kFade; k + 100 < tone.samples.size() - kFade; ++k) {
            ASSERT_NEAR(tone.samples[k], tone.samples[k + 100], 1e-6) << int(which) << " at " << k;
            largest = std::max(largest, std::abs(tone.samples[k]));
        }
        EXPECT_NEAR(largest, 0.5f, 1e-6) << int(which);
    }
}

TEST(Tone, FadesInAndOutOverTenMilliseconds)
{
    const tavelo::Tone tone = tavelo::toneSamples(waveform(tavelo::Waveform::Square, 15), 220, kRate, 2);
    const std::size_t last = tone.samples.size() - 1;
    EXPECT_EQ(tone.samples[0], 0.0f);
    EXPECT_EQ(tone.samples[last], 0.0f);
    float loudestInFade = 0;
    for (std::size_t k = 0; k < kFade; ++k) {
        ASSERT_LE(std::abs(tone.samples[k]), 0.5 * double(k) / kFade + 1e-6);
        ASSERT_LE(std::abs(tone.samples[last - k]), 0.5 * double(k) / kFade + 1e-6);
        loudestInFade = std::max(loudestInFade, std::abs(tone.samples[k]));
    }
    EXPECT_GT(loudestInFade, 0.3f); // the fade rises to full loudness
}

TEST(Tone, LeavesOutTermsAtOrAboveHalfTheSampleRate)
{
    // 880 Hz: term n sounds at n 880 Hz, so from n = 26 on it is at or above
    // 22050 Hz; of those the square wave has amplitudes at odd n, 27 to 249.
    EXPECT_EQ(tavelo::toneSamples(waveform(tavelo::Waveform::Square, 250), 880, kRate, 0.1).termsLeftOut, 112);
    EXPECT_EQ(tavelo::toneSamples(waveform(tavelo::Waveform::Sawtooth, 250), 110, kRate, 0.1).termsLeftOut, 50);

    HarmonicParams silent = waveform(tavelo::Waveform::Square, 10);
    std::fill(silent.A.begin(), silent.A.end(), 0.0);
    const tavelo::Tone silence = tavelo::toneSamples(silent, 220, kRate, 0.5);
    EXPECT_TRUE(std::all_of(silence.samples.begin(), silence.samples.end(), [](float s) { return s == 0; }));
}

} // namespace
