#pragma once

#include "ui/sound/sounddevices.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

// Plays samples, mono or interleaved stereo, through a sound output on a thread of its own, so that
// the window never waits for the sound. The output is opened only when a
// sound is played. Stopping, a new sound and the player's end silence the
// sound within a fiftieth of a second, and stopping returns at once: the
// sound's thread discards what is queued and closes the output by itself.
class SoundPlayer : public QObject {
    Q_OBJECT

public:
    explicit SoundPlayer(std::shared_ptr<SoundDevices> devices, QObject* parent = nullptr);
    ~SoundPlayer() override;

    bool isPlaying() const { return m_playing; }
    // A sound whose failure goes unreported (a short tone beside what a
    // screen reader says) fails silently.
    enum class Failure { Reported, Unreported };
    void play(std::vector<float> samples, int sampleRate, Failure failure = Failure::Reported, int channels = 1);
    void stop();

signals:
    void playingChanged(bool playing);
    void failed(const SoundFailure& failure);

private:
    // Shared by the window and one sound's thread.
    struct Sound {
        std::atomic<bool> stopping = false;
    };

    static SoundFailure run(SoundDevices& devices, const std::vector<float>& samples, int sampleRate, int channels,
                            const Sound& sound);
    void finished(int sound, const SoundFailure& failure);

    std::shared_ptr<SoundDevices> m_devices;
    std::shared_ptr<Sound> m_sound;
    // The last sound's thread; each joins the one before it, so that an
    // output is closed before the next one opens.
    std::thread m_thread;
    bool m_playing = false;
    int m_sounds = 0; // counts the sounds played, so that an old one's end is not taken for the new one's
    Failure m_failure = Failure::Reported; // of the last sound
};

Q_DECLARE_METATYPE(SoundFailure)
