#include "ui/sound/audioclientoutput.h"
#include "ui/sound/sounddevices.h"
#include "ui/sound/waveformat.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// Windows' own wave output and input, which every Windows has: no library
// ships with the program for them. Samples go out and come in as 16-bit PCM,
// the one format every device and driver takes. Sounds are played through
// the audio engine directly where it takes them, and through the wave output
// where it does not.

SoundFailure failureOf(MMRESULT result, bool input)
{
    switch (result) {
    case MMSYSERR_NODRIVER:
    case MMSYSERR_BADDEVICEID:
        return {SoundFailure::Kind::NoDevice, {}};
    case MMSYSERR_ALLOCATED:
        return {SoundFailure::Kind::DeviceBusy, {}};
    default: {
        std::array<wchar_t, MAXERRORLENGTH> text{};
        if (input)
            waveInGetErrorTextW(result, text.data(), static_cast<UINT>(text.size()));
        else
            waveOutGetErrorTextW(result, text.data(), static_cast<UINT>(text.size()));
        return {SoundFailure::Kind::Other, QString::fromWCharArray(text.data()).trimmed()};
    }
    }
}

WAVEFORMATEX pcm(int sampleRate, int channels)
{
    return waveFormat(WAVE_FORMAT_PCM, 16, sampleRate, channels);
}

// A fiftieth of a second of samples, handed to the device and back.
struct WaveBuffer {
    WAVEHDR header{};
    std::vector<short> samples;

    bool isQueued() const { return (header.dwFlags & WHDR_PREPARED) && !(header.dwFlags & WHDR_DONE); }
};

class WaveSoundOutput final : public SoundOutput {
public:
    // `channels` of the samples written; the device has `deviceChannels`,
    // one where it took no more, into which two are mixed.
    WaveSoundOutput(HWAVEOUT device, HANDLE bufferDone, std::size_t framesPerBuffer, int channels, int deviceChannels)
        : m_device(device)
        , m_bufferDone(bufferDone)
        , m_mixed(channels > deviceChannels)
        , m_deviceChannels(static_cast<std::size_t>(deviceChannels))
    {
        for (WaveBuffer& buffer : m_buffers)
            buffer.samples.resize(framesPerBuffer * m_deviceChannels);
        // The device starts once its queue is full, so that the start of the
        // sound does not wait on the hand-over of the buffers after the first.
        waveOutPause(m_device);
    }

    ~WaveSoundOutput() override
    {
        waveOutReset(m_device);
        for (WaveBuffer& buffer : m_buffers)
            if (buffer.header.dwFlags & WHDR_PREPARED)
                waveOutUnprepareHeader(m_device, &buffer.header, sizeof buffer.header);
        waveOutClose(m_device);
        CloseHandle(m_bufferDone);
    }

    bool write(const float* samples, std::size_t count, SoundFailure& failure) override
    {
        const auto toPcm = [](float sample) {
            return static_cast<short>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
        };
        const std::size_t perSample = m_mixed ? 2 : 1; // samples written per sample of the device
        while (count > 0) {
            WaveBuffer& buffer = freeBuffer();
            const std::size_t taken = std::min(count / perSample, buffer.samples.size());
            if (taken == 0)
                break;
            if (m_mixed) {
                for (std::size_t k = 0; k < taken; ++k)
                    buffer.samples[k] = toPcm(0.5f * (samples[2 * k] + samples[2 * k + 1]));
            } else {
                std::transform(samples, samples + taken, buffer.samples.begin(), toPcm);
            }
            buffer.header = WAVEHDR{};
            buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
            buffer.header.dwBufferLength = static_cast<DWORD>(taken * sizeof(short));
            MMRESULT result = waveOutPrepareHeader(m_device, &buffer.header, sizeof buffer.header);
            if (result == MMSYSERR_NOERROR)
                result = waveOutWrite(m_device, &buffer.header, sizeof buffer.header);
            if (result != MMSYSERR_NOERROR) {
                failure = failureOf(result, false);
                return false;
            }
            samples += taken * perSample;
            count -= std::min(count, taken * perSample);
            m_written += taken / m_deviceChannels;
            if (m_next == 0)
                start();
        }
        return true;
    }

    void drain(const std::atomic<bool>& stopping) override
    {
        // A buffer is done once the device has taken it, which may be before
        // it is heard, and a device's position may run ahead of what is
        // heard too; closing the device at that point would cut the end of
        // the sound, its fade included, into a click. A tenth of a second of
        // silence after it takes that cut instead.
        const std::vector<float> silence(m_buffers.front().samples.size() * (m_mixed ? 2 : 1), 0.0f);
        SoundFailure ignored;
        for (std::size_t i = 0; i < kTailBuffers && !stopping; ++i)
            write(silence.data(), silence.size(), ignored);
        start();
        while (!stopping
               && std::any_of(m_buffers.begin(), m_buffers.end(), [](const WaveBuffer& b) { return b.isQueued(); }))
            WaitForSingleObject(m_bufferDone, 20);
        const DWORD deadline = GetTickCount() + 1000;
        while (!stopping && played() < m_written && GetTickCount() < deadline)
            Sleep(5);
    }

    void discard() override { waveOutReset(m_device); }

private:
    // The next buffer in turn, once the device has played it; it comes back unprepared.
    WaveBuffer& freeBuffer()
    {
        WaveBuffer& buffer = m_buffers[m_next];
        m_next = (m_next + 1) % m_buffers.size();
        while (buffer.isQueued())
            WaitForSingleObject(m_bufferDone, 20);
        if (buffer.header.dwFlags & WHDR_PREPARED)
            waveOutUnprepareHeader(m_device, &buffer.header, sizeof buffer.header);
        return buffer;
    }

    void start()
    {
        if (m_paused) {
            waveOutRestart(m_device);
            m_paused = false;
        }
    }

    // Frames (a sample of each channel) the device has played.
    std::size_t played() const
    {
        MMTIME time{};
        time.wType = TIME_SAMPLES;
        if (waveOutGetPosition(m_device, &time, sizeof time) != MMSYSERR_NOERROR || time.wType != TIME_SAMPLES)
            return m_written;
        return time.u.sample;
    }

    HWAVEOUT m_device;
    HANDLE m_bufferDone;
    // Half a second queued in buffers of a fiftieth of a second, so that a
    // busy computer does not break the sound up; stopping resets the device,
    // which silences it at once however much is queued.
    std::array<WaveBuffer, 25> m_buffers;
    static constexpr std::size_t kTailBuffers = 5;
    bool m_mixed;
    std::size_t m_deviceChannels;
    std::size_t m_next = 0;
    std::size_t m_written = 0;
    bool m_paused = true;
};

class WaveSoundInput final : public SoundInput {
public:
    WaveSoundInput(HWAVEIN device, HANDLE bufferDone, std::size_t samplesPerBuffer)
        : m_device(device)
        , m_bufferDone(bufferDone)
    {
        for (WaveBuffer& buffer : m_buffers)
            buffer.samples.resize(samplesPerBuffer);
    }

    ~WaveSoundInput() override
    {
        waveInReset(m_device);
        for (WaveBuffer& buffer : m_buffers)
            if (buffer.header.dwFlags & WHDR_PREPARED)
                waveInUnprepareHeader(m_device, &buffer.header, sizeof buffer.header);
        waveInClose(m_device);
        CloseHandle(m_bufferDone);
    }

    // Hands every buffer to the device and starts recording.
    MMRESULT start()
    {
        for (WaveBuffer& buffer : m_buffers) {
            if (const MMRESULT result = queue(buffer); result != MMSYSERR_NOERROR)
                return result;
        }
        return waveInStart(m_device);
    }

    bool read(float* samples, std::size_t count, SoundFailure& failure) override
    {
        while (count > 0) {
            WaveBuffer& buffer = m_buffers[m_next];
            while (buffer.isQueued())
                WaitForSingleObject(m_bufferDone, 50);
            const std::size_t recorded = buffer.header.dwBytesRecorded / sizeof(short);
            const std::size_t taken = std::min(count, recorded - m_taken);
            std::transform(buffer.samples.begin() + std::ptrdiff_t(m_taken),
                           buffer.samples.begin() + std::ptrdiff_t(m_taken + taken), samples,
                           [](short sample) { return float(sample) / 32768.0f; });
            samples += taken;
            count -= taken;
            m_taken += taken;
            if (m_taken < recorded)
                continue;
            m_taken = 0;
            m_next = (m_next + 1) % m_buffers.size();
            if (const MMRESULT result = queue(buffer); result != MMSYSERR_NOERROR) {
                failure = failureOf(result, true);
                return false;
            }
        }
        return true;
    }

private:
    MMRESULT queue(WaveBuffer& buffer)
    {
        if (buffer.header.dwFlags & WHDR_PREPARED)
            waveInUnprepareHeader(m_device, &buffer.header, sizeof buffer.header);
        buffer.header = WAVEHDR{};
        buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
        buffer.header.dwBufferLength = static_cast<DWORD>(buffer.samples.size() * sizeof(short));
        MMRESULT result = waveInPrepareHeader(m_device, &buffer.header, sizeof buffer.header);
        if (result == MMSYSERR_NOERROR)
            result = waveInAddBuffer(m_device, &buffer.header, sizeof buffer.header);
        return result;
    }

    HWAVEIN m_device;
    HANDLE m_bufferDone;
    // A quarter of a second in buffers of a fiftieth, handed back in turn.
    std::array<WaveBuffer, 12> m_buffers;
    std::size_t m_next = 0;
    std::size_t m_taken = 0; // samples of buffer m_next already read
};

class WaveSoundDevices final : public SoundDevices {
public:
    std::unique_ptr<SoundOutput> openOutput(int sampleRate, int channels, SoundFailure& failure) override
    {
        if (auto output = openAudioClientOutput(sampleRate, channels))
            return output;
        HANDLE bufferDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        HWAVEOUT device = nullptr;
        int deviceChannels = channels;
        MMRESULT result = WAVERR_BADFORMAT;
        // A device that takes no second channel gets the two mixed into one.
        for (; deviceChannels >= 1 && result == WAVERR_BADFORMAT; --deviceChannels) {
            const WAVEFORMATEX format = pcm(sampleRate, deviceChannels);
            result = waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(bufferDone), 0,
                                 CALLBACK_EVENT);
        }
        ++deviceChannels;
        if (result != MMSYSERR_NOERROR) {
            CloseHandle(bufferDone);
            failure = failureOf(result, false);
            return nullptr;
        }
        return std::make_unique<WaveSoundOutput>(device, bufferDone, static_cast<std::size_t>(sampleRate) / 50, channels,
                                                 deviceChannels);
    }

    std::unique_ptr<SoundInput> openInput(int sampleRate, SoundFailure& failure) override
    {
        const WAVEFORMATEX format = pcm(sampleRate, 1);
        HANDLE bufferDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        HWAVEIN device = nullptr;
        MMRESULT result = waveInOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(bufferDone), 0,
                                     CALLBACK_EVENT);
        if (result != MMSYSERR_NOERROR) {
            CloseHandle(bufferDone);
            failure = failureOf(result, true);
            return nullptr;
        }
        auto input = std::make_unique<WaveSoundInput>(device, bufferDone, static_cast<std::size_t>(sampleRate) / 50);
        result = input->start();
        if (result != MMSYSERR_NOERROR) {
            failure = failureOf(result, true);
            return nullptr;
        }
        return input;
    }
};

} // namespace

std::shared_ptr<SoundDevices> SoundDevices::platform()
{
    return std::make_shared<WaveSoundDevices>();
}
