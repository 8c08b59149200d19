#include "ui/soundplayer.h"

#include "ui/soundoutput.h"

#include <QMetaObject>

#include <algorithm>

SoundPlayer::SoundPlayer(QObject* parent)
    : QObject(parent)
{
}

SoundPlayer::~SoundPlayer()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
}

void SoundPlayer::play(std::vector<float> samples, int sampleRate)
{
    stop();
    m_stopping = false;
    m_playing = true;
    emit playingChanged(true);
    m_thread = std::thread(&SoundPlayer::run, this, std::move(samples), sampleRate, ++m_sound);
}

void SoundPlayer::stop()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_playing) {
        m_playing = false;
        emit playingChanged(false);
    }
}

void SoundPlayer::run(std::vector<float> samples, int sampleRate, int sound)
{
    QString failure;
    if (const std::unique_ptr<SoundOutput> output = SoundOutput::open(sampleRate, failure)) {
        const std::size_t chunk = static_cast<std::size_t>(sampleRate) / 50;
        bool written = true;
        for (std::size_t at = 0; at < samples.size() && !m_stopping && written; at += chunk)
            written = output->write(samples.data() + at, std::min(chunk, samples.size() - at), failure);
        if (m_stopping)
            output->discard();
        else if (written)
            output->drain();
    }
    if (!m_stopping)
        QMetaObject::invokeMethod(this, [this, sound, failure] { finished(sound, failure); }, Qt::QueuedConnection);
}

void SoundPlayer::finished(int sound, const QString& failure)
{
    if (sound != m_sound)
        return;
    if (m_thread.joinable())
        m_thread.join();
    if (m_playing) {
        m_playing = false;
        emit playingChanged(false);
    }
    if (!failure.isEmpty())
        emit failed(failure);
}
