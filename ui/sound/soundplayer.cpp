#include "ui/sound/soundplayer.h"

#include <QMetaObject>

#include <algorithm>

SoundPlayer::SoundPlayer(std::shared_ptr<SoundDevices> devices, QObject* parent)
    : QObject(parent)
    , m_devices(std::move(devices))
{
}

SoundPlayer::~SoundPlayer()
{
    if (m_sound)
        m_sound->stopping = true;
    if (m_thread.joinable())
        m_thread.join();
}

void SoundPlayer::play(std::vector<float> samples, int sampleRate, Failure failure, int channels)
{
    stop();
    m_failure = failure;
    m_sound = std::make_shared<Sound>();
    m_playing = true;
    emit playingChanged(true);
    const int number = ++m_sounds;
    m_thread = std::thread([this, previous = std::move(m_thread), devices = m_devices, sound = m_sound,
                            samples = std::move(samples), sampleRate, channels, number]() mutable {
        if (previous.joinable())
            previous.join();
        const SoundFailure failure = run(*devices, samples, sampleRate, channels, *sound);
        // A stopped sound has nothing more to say; the player may be gone by now.
        if (!sound->stopping)
            QMetaObject::invokeMethod(this, [this, number, failure] { finished(number, failure); },
                                      Qt::QueuedConnection);
    });
}

void SoundPlayer::stop()
{
    if (m_sound)
        m_sound->stopping = true;
    if (m_playing) {
        m_playing = false;
        emit playingChanged(false);
    }
}

SoundFailure SoundPlayer::run(SoundDevices& devices, const std::vector<float>& samples, int sampleRate, int channels,
                              const Sound& sound)
{
    SoundFailure failure;
    const std::unique_ptr<SoundOutput> output = devices.openOutput(sampleRate, channels, failure);
    if (!output)
        return failure;
    // A fiftieth of a second at a time: the most a stop waits for.
    const auto frame = static_cast<std::size_t>(std::max(channels, 1));
    const std::size_t chunk = frame * std::max<std::size_t>(1, static_cast<std::size_t>(std::max(sampleRate, 0)) / 50);
    bool written = true;
    for (std::size_t at = 0; at < samples.size() && !sound.stopping && written; at += chunk)
        written = output->write(samples.data() + at, std::min(chunk, samples.size() - at), failure);
    if (written && !sound.stopping)
        output->drain(sound.stopping);
    if (sound.stopping)
        output->discard();
    return failure;
}

void SoundPlayer::finished(int sound, const SoundFailure& failure)
{
    if (sound != m_sounds)
        return;
    if (m_playing) {
        m_playing = false;
        emit playingChanged(false);
    }
    if (failure && m_failure == Failure::Reported)
        emit failed(failure);
}
