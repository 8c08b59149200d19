#pragma once

#include "core/pitchtrack.h"
#include "core/shape.h"
#include "core/shapeanalysis.h"

#include <span>
#include <variant>

namespace tavelo {

// Why a recording gives no terms.
enum class RecordingFault {
    TooQuiet, // nothing in it is louder than kQuietestPeak
    TooLoud,  // more than 1 % of its samples are at full scale: it was clipped
    NoPitch,  // no fundamental between kLowestPitch and kHighestPitch holds for a tenth of a second
};

// -50 dB of full scale.
inline constexpr double kQuietestPeak = 0.0031622776601683794;
// How many samples the averaged period has: enough to hold every harmonic
// below half the sample rate of a 50 Hz sound recorded at up to 48 kHz.
inline constexpr std::size_t kRecordedPeriodSamples = 1024;

// One period of a recorded sound and its terms.
struct RecordedSound {
    // The averaged period, its mean taken out, starting where the
    // fundamental's phase is 0 and scaled as the terms are.
    Shape period;
    // In the basis asked for: the largest amplitude is 1, the fundamental's
    // phase is 0, and harmonics at or above half the sample rate are 0.
    ShapeTerms terms;
    double fundamental = 0;   // Hz
    double signalToNoise = 0; // dB: the averaged period against what differs from it period by period
    int periods = 0;          // how many periods were averaged
};

// The series of the steadiest stretch of a mono recording, found by
// steadiestPitch. The stretch is followed period by period, each period's end
// found where the next repeats it best, so that a vibrato does not blur the
// high harmonics; the periods are resampled to kRecordedPeriodSamples points
// each by a windowed sinc and averaged.
std::variant<RecordedSound, RecordingFault> analyseRecording(std::span<const float> samples, int sampleRate,
                                                             bool sinBasis);

} // namespace tavelo
