#include "ui/sound/soundrecorder.h"

#include <QMetaObject>

#include <algorithm>

SoundRecorder::SoundRecorder(std::shared_ptr<SoundDevices> devices, QObject* parent)
    : QObject(parent)
    , m_devices(std::move(devices))
{
}

SoundRecorder::~SoundRecorder()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
}

void SoundRecorder::record(double seconds, int sampleRate)
{
    if (m_recording)
        return;
    if (m_thread.joinable())
        m_thread.join();
    m_recording = true;
    emit recordingChanged(true);
    const auto count = static_cast<std::size_t>(seconds * sampleRate);
    m_thread = std::thread([this, devices = m_devices, count, sampleRate] {
        std::vector<float> samples(count);
        const SoundFailure failure = run(*devices, samples, sampleRate, m_stopping);
        if (!m_stopping)
            QMetaObject::invokeMethod(
                this, [this, samples = std::move(samples), sampleRate, failure]() mutable {
                    finished(std::move(samples), sampleRate, failure);
                },
                Qt::QueuedConnection);
    });
}

SoundFailure SoundRecorder::run(SoundDevices& devices, std::vector<float>& samples, int sampleRate,
                                const std::atomic<bool>& stopping)
{
    SoundFailure failure;
    const std::unique_ptr<SoundInput> input = devices.openInput(sampleRate, failure);
    if (!input)
        return failure;
    // A tenth of a second at a time: the most the recorder's end waits for.
    const std::size_t chunk = static_cast<std::size_t>(sampleRate) / 10;
    for (std::size_t at = 0; at < samples.size() && !stopping; at += chunk) {
        if (!input->read(samples.data() + at, std::min(chunk, samples.size() - at), failure))
            break;
    }
    return failure;
}

void SoundRecorder::finished(std::vector<float> samples, int sampleRate, const SoundFailure& failure)
{
    m_recording = false;
    emit recordingChanged(false);
    if (failure)
        emit failed(failure);
    else
        emit recorded(samples, sampleRate);
}
