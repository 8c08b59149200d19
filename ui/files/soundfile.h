#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// A sound file's samples, its channels mixed to one, at most kSoundFileSeconds
// of them, and its sample rate; where it cannot be read, why, in words.
struct SoundFileSamples {
    std::vector<float> samples;
    int sampleRate = 0;
    QString fault;
};

inline constexpr double kSoundFileSeconds = 10;

// Reads a WAV file's bytes (PCM of 8, 16, 24 or 32 bits, or floating point,
// any number of channels and any sample rate from 8 to 192 kHz).
SoundFileSamples readSoundFile(const QByteArray& bytes);
