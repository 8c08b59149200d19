#include "ui/sound/sounddevices.h"
#include "ui/sound/soundtexts.h"

#include <QLibrary>

#include <algorithm>
#include <chrono>
#include <thread>

#include <pulse/error.h>
#include <pulse/simple.h>

namespace {

// PulseAudio's simple client library, loaded when the first sound starts:
// the program starts without it and the codecs it brings, and where it is
// missing only the sound is, with a message that says so.
struct PulseSimple {
    decltype(&pa_simple_new) open = nullptr;
    decltype(&pa_simple_write) write = nullptr;
    decltype(&pa_simple_read) read = nullptr;
    decltype(&pa_simple_drain) drain = nullptr;
    decltype(&pa_simple_flush) flush = nullptr;
    decltype(&pa_simple_get_latency) latency = nullptr;
    decltype(&pa_simple_free) close = nullptr;
    decltype(&pa_strerror) errorText = nullptr;

    bool isLoaded() const { return open && write && read && drain && flush && latency && close && errorText; }
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
        loaded.read = reinterpret_cast<decltype(&pa_simple_read)>(file.resolve("pa_simple_read"));
        loaded.drain = reinterpret_cast<decltype(&pa_simple_drain)>(file.resolve("pa_simple_drain"));
        loaded.flush = reinterpret_cast<decltype(&pa_simple_flush)>(file.resolve("pa_simple_flush"));
        loaded.latency = reinterpret_cast<decltype(&pa_simple_get_latency)>(file.resolve("pa_simple_get_latency"));
        loaded.close = reinterpret_cast<decltype(&pa_simple_free)>(file.resolve("pa_simple_free"));
        loaded.errorText = reinterpret_cast<decltype(&pa_strerror)>(file.resolve("pa_strerror"));
        return loaded;
    }();
    return library;
}

SoundFailure failureOf(int error)
{
    switch (error) {
    case PA_ERR_CONNECTIONREFUSED:
    case PA_ERR_INVALIDSERVER:
    case PA_ERR_CONNECTIONTERMINATED:
    case PA_ERR_ACCESS:
        return {SoundFailure::Kind::NoServer, {}};
    case PA_ERR_NOENTITY:
        return {SoundFailure::Kind::NoDevice, {}};
    case PA_ERR_BUSY:
        return {SoundFailure::Kind::DeviceBusy, {}};
    default:
        return {SoundFailure::Kind::Other, QString::fromUtf8(pulseSimple().errorText(error))};
    }
}

// One stream to or from the server, closed with the object.
class PulseStream {
public:
    explicit PulseStream(pa_simple* stream)
        : m_stream(stream)
    {
    }
    ~PulseStream() { pulseSimple().close(m_stream); }
    PulseStream(const PulseStream&) = delete;
    PulseStream& operator=(const PulseStream&) = delete;

protected:
    pa_simple* m_stream;
};

class PulseSoundOutput final : public SoundOutput, private PulseStream {
public:
    using PulseStream::PulseStream;

    bool write(const float* samples, std::size_t count, SoundFailure& failure) override
    {
        int error = 0;
        if (pulseSimple().write(m_stream, samples, count * sizeof(float), &error) >= 0)
            return true;
        failure = failureOf(error);
        return false;
    }
    void drain(const std::atomic<bool>& stopping) override
    {
        // Draining blocks until the end, so it is left for the last fiftieth
        // of a second of what the server says it holds; until then a stop is
        // looked for every few milliseconds.
        using namespace std::chrono;
        const pa_usec_t queued = pulseSimple().latency(m_stream, nullptr);
        const auto wait = queued == static_cast<pa_usec_t>(-1) ? microseconds(0)
                                                               : std::min(microseconds(queued), microseconds(seconds(2)));
        const auto drainFrom = steady_clock::now() + wait - milliseconds(20);
        while (!stopping && steady_clock::now() < drainFrom)
            std::this_thread::sleep_for(milliseconds(5));
        if (!stopping)
            pulseSimple().drain(m_stream, nullptr);
    }
    void discard() override { pulseSimple().flush(m_stream, nullptr); }
};

class PulseSoundInput final : public SoundInput, private PulseStream {
public:
    using PulseStream::PulseStream;

    bool read(float* samples, std::size_t count, SoundFailure& failure) override
    {
        int error = 0;
        if (pulseSimple().read(m_stream, samples, count * sizeof(float), &error) >= 0)
            return true;
        failure = failureOf(error);
        return false;
    }
};

class PulseSoundDevices final : public SoundDevices {
public:
    std::unique_ptr<SoundOutput> openOutput(int sampleRate, int channels, SoundFailure& failure) override
    {
        // The server mixes two channels into a device of one.
        pa_simple* stream = open(PA_STREAM_PLAYBACK, playingStreamName(), sampleRate, channels, failure);
        return stream ? std::make_unique<PulseSoundOutput>(stream) : nullptr;
    }

    std::unique_ptr<SoundInput> openInput(int sampleRate, SoundFailure& failure) override
    {
        pa_simple* stream = open(PA_STREAM_RECORD, recordingStreamName(), sampleRate, 1, failure);
        return stream ? std::make_unique<PulseSoundInput>(stream) : nullptr;
    }

private:
    static pa_simple* open(pa_stream_direction_t direction, const QString& name, int sampleRate, int channels,
                           SoundFailure& failure)
    {
        const PulseSimple& pulse = pulseSimple();
        if (!pulse.isLoaded()) {
            failure = {SoundFailure::Kind::NoLibrary, {}};
            return nullptr;
        }
        const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, static_cast<uint32_t>(sampleRate),
                                    static_cast<uint8_t>(channels)};
        const auto half = static_cast<uint32_t>(sampleRate / 2 * channels * sizeof(float));
        const auto tenth = static_cast<uint32_t>(sampleRate / 10 * channels * sizeof(float));
        const auto fiftieth = static_cast<uint32_t>(sampleRate / 50 * channels * sizeof(float));
        const auto unset = static_cast<uint32_t>(-1);
        // Playing: half a second queued, so that a busy machine that keeps the
        // sound's thread or the server waiting leaves no gap, and room asked
        // for every fiftieth of a second, so that a write waits no longer than
        // that for a stop to be seen; the stop flushes the queue, so it is
        // still heard at once. Recording: handed over every tenth of a second.
        const pa_buffer_attr buffer = direction == PA_STREAM_PLAYBACK
                                          ? pa_buffer_attr{unset, half, unset, fiftieth, unset}
                                          : pa_buffer_attr{unset, unset, unset, unset, tenth};
        int error = 0;
        pa_simple* stream = pulse.open(nullptr, "Tavelo", direction, nullptr, name.toUtf8().constData(), &format, nullptr,
                                       &buffer, &error);
        if (!stream)
            failure = failureOf(error);
        return stream;
    }
};

} // namespace

std::shared_ptr<SoundDevices> SoundDevices::platform()
{
    return std::make_shared<PulseSoundDevices>();
}
