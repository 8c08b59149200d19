#include "ui/soundoutput.h"

#include <QLibrary>

#include <pulse/error.h>
#include <pulse/simple.h>

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

class PulseSoundOutput final : public SoundOutput {
public:
    explicit PulseSoundOutput(pa_simple* stream)
        : m_stream(stream)
    {
    }
    ~PulseSoundOutput() override { pulseSimple().close(m_stream); }

    bool write(const float* samples, std::size_t count, QString& failure) override
    {
        int error = 0;
        if (pulseSimple().write(m_stream, samples, count * sizeof(float), &error) >= 0)
            return true;
        failure = failureText(error);
        return false;
    }
    void drain() override { pulseSimple().drain(m_stream, nullptr); }
    void discard() override { pulseSimple().flush(m_stream, nullptr); }

private:
    pa_simple* m_stream;
};

} // namespace

std::unique_ptr<SoundOutput> SoundOutput::open(int sampleRate, QString& failure)
{
    const PulseSimple& pulse = pulseSimple();
    if (!pulse.isLoaded()) {
        failure = QStringLiteral("Звук не удалось воспроизвести: не установлена библиотека звуковой службы "
                                 "PulseAudio (пакет libpulse0).");
        return nullptr;
    }
    const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, static_cast<uint32_t>(sampleRate), 1};
    // A short buffer, so that stopping silences within a tenth of a second.
    const auto bytesPerTenth = static_cast<uint32_t>(sampleRate / 10 * sizeof(float));
    const pa_buffer_attr buffer{static_cast<uint32_t>(-1), bytesPerTenth, static_cast<uint32_t>(-1),
                                static_cast<uint32_t>(-1), static_cast<uint32_t>(-1)};
    int error = 0;
    pa_simple* stream = pulse.open(nullptr, "Tavelo", PA_STREAM_PLAYBACK, nullptr, "Сумма гармонических слагаемых",
                                   &format, nullptr, &buffer, &error);
    if (!stream) {
        failure = failureText(error);
        return nullptr;
    }
    return std::make_unique<PulseSoundOutput>(stream);
}
