#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <thread>
#include <vector>

// Plays mono samples through the platform's sound output on a thread of its
// own, so that the window never waits for the sound. The output is opened
// only when a sound is played. Stopping, a new sound and the player's end all
// silence it at once.
class SoundPlayer : public QObject {
    Q_OBJECT

public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    bool isPlaying() const { return m_playing; }
    void play(std::vector<float> samples, int sampleRate);
    void stop();

signals:
    void playingChanged(bool playing);
    // Why the sound could not be played, in the user's words.
    void failed(const QString& reason);

private:
    void run(std::vector<float> samples, int sampleRate, int sound);
    void finished(int sound, const QString& failure);

    std::thread m_thread;
    std::atomic<bool> m_stopping = false;
    bool m_playing = false;
    int m_sound = 0; // counts the sounds played, so that an old one's end is not taken for the new one's
};
