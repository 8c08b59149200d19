#pragma once

#include "ui/sound/sounddevices.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

// Records mono samples from the sound input on a thread of its own, so that
// the window keeps answering. The input is opened when a recording starts
// and closed when it ends; the recorder's end stops a recording within a
// tenth of a second.
class SoundRecorder : public QObject {
    Q_OBJECT

public:
    explicit SoundRecorder(std::shared_ptr<SoundDevices> devices, QObject* parent = nullptr);
    ~SoundRecorder() override;

    bool isRecording() const { return m_recording; }
    // Ignored while a recording runs.
    void record(double seconds, int sampleRate);

signals:
    void recordingChanged(bool recording);
    void recorded(const std::vector<float>& samples, int sampleRate);
    void failed(const SoundFailure& failure);

private:
    static SoundFailure run(SoundDevices& devices, std::vector<float>& samples, int sampleRate,
                            const std::atomic<bool>& stopping);
    void finished(std::vector<float> samples, int sampleRate, const SoundFailure& failure);

    std::shared_ptr<SoundDevices> m_devices;
    std::atomic<bool> m_stopping = false;
    std::thread m_thread;
    bool m_recording = false;
};
