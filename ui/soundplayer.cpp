#include "ui/soundplayer.h"

#include <QLibrary>
#include <QMetaObject>

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>

namespace {

// PulseAudio's simple client library, loaded when the first sound is played:
// the program starts without it and the codecs it brings, and where it is
// missing only the sound is, with a message that says so.
struct PulseSimple {
    decltype(&pa_simple_new) open = nullptr;
    decltype(&pa_simple_write) write = nullptr;
    decltype(&pa_simple_drain) drain = nullptr;
    decltype(&pa_simple_flush) flush = nullptr;
    decltype(&pa_simple_free) close = nullptr;
    decltype(&pa_strerror) errorText = nullptr;

    bool isLoaded() const { return open && write && drain && flush && close && errorText; }
};

const PulseSimple& pulseSimple()
{
    static const PulseSimple library = [] {
        PulseSimple loaded;
        QLibrary file(QStringLiteral("pulse-simple"), 0);
        if (!file.load())
            return loaded;
        loaded.open = reinterpret_cast<decltype(&pa_simple_new)>(file.resolve("pa_simple_new"));
        loaded.write = reinterpret_cast<decltype(&pa_simple_write)>(file.resolve("pa_simple_write"));
        loaded.drain = reinterpret_cast<decltype(&pa_simple_drain)>(file.resolve("pa_simple_drain"));
        loaded.flush = reinterpret_cast<decltype(&pa_simple_flush)>(file.resolve("pa_simple_flush"));
        loaded.close = reinterpret_cast<decltype(&pa_simple_free)>(file.resolve("pa_simple_free"));
        loaded.errorText = reinterpret_cast<decltype(&pa_strerror)>(file.resolve("pa_strerror"));
        return loaded;
    }();
    return library;
}

QString failureText(int error)
{
    switch (error) {
    case PA_ERR_CONNECTIONREFUSED:
    case PA_ERR_INVALIDSERVER:
    case PA_ERR_CONNECTIONTERMINATED:
    case PA_ERR_ACCESS:
        return QStringLiteral("Звук не удалось воспроизвести: на компьютере не работает звуковая служба "
                              "(PulseAudio или PipeWire), через которую программы выводят звук.");
    case PA_ERR_NOENTITY:
        return QStringLiteral("Звук не удалось воспроизвести: звуковая служба не нашла устройства вывода звука "
                              "(динамиков или наушников).");
    default:
        return QStringLiteral("Звук не удалось воспроизвести: звуковая служба сообщила об ошибке (%1).")
            .arg(QString::fromUtf8(pulseSimple().errorText(error)));
    }
}

} // namespace

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
    const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, static_cast<uint32_t>(sampleRate), 1};
    // A short buffer, so that stopping silences within a tenth of a second.
    const auto bytesPerTenth = static_cast<uint32_t>(sampleRate / 10 * sizeof(float));
    const pa_buffer_attr buffer{static_cast<uint32_t>(-1), bytesPerTenth, static_cast<uint32_t>(-1),
                                static_cast<uint32_t>(-1), static_cast<uint32_t>(-1)};
    const PulseSimple& pulse = pulseSimple();
    int error = 0;
    pa_simple* stream = pulse.isLoaded() ? pulse.open(nullptr, "Tavelo", PA_STREAM_PLAYBACK, nullptr,
                                                      "Сумма гармонических слагаемых", &format, nullptr, &buffer, &error)
                                         : nullptr;
    QString failure;
    if (!pulse.isLoaded()) {
        failure = QStringLiteral("Звук не удалось воспроизвести: не установлена библиотека звуковой службы "
                                 "PulseAudio (пакет libpulse0).");
    } else if (!stream) {
        failure = failureText(error);
    } else {
        const std::size_t chunk = static_cast<std::size_t>(sampleRate) / 50;
        for (std::size_t at = 0; at < samples.size() && !m_stopping; at += chunk) {
            const std::size_t count = std::min(chunk, samples.size() - at);
            if (pulse.write(stream, samples.data() + at, count * sizeof(float), &error) < 0) {
                failure = failureText(error);
                break;
            }
        }
        if (m_stopping)
            pulse.flush(stream, nullptr);
        else if (failure.isEmpty())
            pulse.drain(stream, nullptr);
        pulse.close(stream);
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
