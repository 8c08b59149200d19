#pragma once

#include <QString>

struct SoundFailure;

// What the user is told when the sound could not be played or recorded.
enum class SoundDirection { Playing, Recording };
QString soundFailureText(const SoundFailure& failure, SoundDirection direction);

// What the plot's description adds when some terms of a sound cannot be heard.
QString termsNotHeardText(int sampleRate, int termsLeftOut);

// What the desktop's sound settings call the program's sounds.
QString playingStreamName();
QString recordingStreamName();
