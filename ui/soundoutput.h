#pragma once

#include <QString>

#include <cstddef>
#include <memory>

// The platform's way to play mono float samples: PulseAudio's simple client
// library on Linux, the wave output of Windows on Windows. Every call blocks
// the calling thread, which is the sound player's own, never the window's.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    // Opens the output; where that fails, returns null with the reason in the user's words.
    static std::unique_ptr<SoundOutput> open(int sampleRate, QString& failure);

    // Queues the samples, waiting while the output's queue is full.
    virtual bool write(const float* samples, std::size_t count, QString& failure) = 0;
    // Waits until everything queued has been heard.
    virtual void drain() = 0;
    // Silences what is queued at once.
    virtual void discard() = 0;
};
