#pragma once

#include <QString>

#include <atomic>
#include <cstddef>
#include <memory>

// What kept the sound from being played or recorded, as the platform's sound
// layer found it; the window words it for the user.
struct SoundFailure {
    enum class Kind {
        None,
        NoLibrary,  // the sound server's client library is not installed
        NoServer,   // no sound server answers
        NoDevice,   // no loudspeaker, headphones or microphone
        DeviceBusy, // another program holds the device
        Other,      // anything else, in the platform's own words
    };
    Kind kind = Kind::None;
    QString detail;

    explicit operator bool() const { return kind != Kind::None; }
};

// Plays float samples, interleaved where there are two channels. Every call
// blocks the calling thread, which is a sound's own, never the window's.
// The one sample rate at which the program plays and records every sound.
inline constexpr int kSoundSampleRate = 44100;

class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    // Queues the samples, waiting while the output's queue is full.
    virtual bool write(const float* samples, std::size_t count, SoundFailure& failure) = 0;
    // Waits until everything queued has been heard, or `stopping` is set.
    virtual void drain(const std::atomic<bool>& stopping) = 0;
    // Silences what is queued at once.
    virtual void discard() = 0;
};

// Records mono float samples, blocking like an output.
class SoundInput {
public:
    virtual ~SoundInput() = default;

    // Fills `count` samples, waiting until they have been recorded.
    virtual bool read(float* samples, std::size_t count, SoundFailure& failure) = 0;
};

// Where sounds go and come from. A device is opened only when a sound starts
// and closed when it ends.
class SoundDevices {
public:
    virtual ~SoundDevices() = default;

    // An output of one or two channels (left and right); a device of one
    // channel takes two mixed into it.
    virtual std::unique_ptr<SoundOutput> openOutput(int sampleRate, int channels, SoundFailure& failure) = 0;
    virtual std::unique_ptr<SoundInput> openInput(int sampleRate, SoundFailure& failure) = 0;

    // The desktop's own: PulseAudio's simple client library on Linux, which
    // PipeWire serves as well; on Windows its audio engine, or the wave
    // output where the engine cannot take the samples, and the wave input.
    static std::shared_ptr<SoundDevices> platform();
};
