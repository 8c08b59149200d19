#pragma once

#include <QString>

struct SoundFailure;

namespace tavelo {
enum class RecordingFault;
}

// What the user is told when the sound could not be played or recorded.
enum class SoundDirection { Playing, Recording };
QString soundFailureText(const SoundFailure& failure, SoundDirection direction);

// What the plot's description adds when some terms of a sound cannot be heard.
QString termsNotHeardText(int sampleRate, int termsLeftOut);

// What the desktop's sound settings call the program's sounds.
QString playingStreamName();
QString recordingStreamName();

// What «Записать звук» reads while it records.
QString recordingText();
// Why a recording gives no terms, and what to do about it.
QString recordingFaultText(tavelo::RecordingFault fault);
// What the plot says of a recorded sound's terms.
QString recordedText(double fundamental, double signalToNoise);
// The pitch item that plays the series at the recorded pitch.
QString recordedPitchText(double fundamental);

// What the spectrum says of a term heard alone or of the sum heard without
// it, and why there is nothing to hear.
QString termAloneText(int n);
QString sumWithoutTermText(int n);
QString silentTermText(int n);
QString silentSumWithoutTermText(int n);
QString inaudibleTermText(int n, double hertz);
