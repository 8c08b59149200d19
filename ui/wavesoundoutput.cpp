#include "ui/soundoutput.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// Windows' own wave output, which every Windows has: no library ships with
// the program for it. The samples go out as 16-bit PCM, the one format every
// device and driver takes.
class WaveSoundOutput final : public SoundOutput {
public:
    WaveSoundOutput(HWAVEOUT device, HANDLE bufferDone, std::size_t samplesPerBuffer)
        : m_device(device)
        , m_bufferDone(bufferDone)
    {
        for (Buffer& buffer : m_buffers)
            buffer.samples.resize(samplesPerBuffer);
    }

    ~WaveSoundOutput() override
    {
        waveOutReset(m_device);
        for (Buffer& buffer : m_buffers)
            if (buffer.header.dwFlags & WHDR_PREPARED)
                waveOutUnprepareHeader(m_device, &buffer.header, sizeof buffer.header);
        waveOutClose(m_device);
        CloseHandle(m_bufferDone);
    }

    bool write(const float* samples, std::size_t count, QString& failure) override
    {
        while (count > 0) {
            Buffer& buffer = freeBuffer();
            const std::size_t taken = std::min(count, buffer.samples.size());
            std::transform(samples, samples + taken, buffer.samples.begin(), [](float sample) {
                return static_cast<short>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
            });
            buffer.header = WAVEHDR{};
            buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
            buffer.header.dwBufferLength = static_cast<DWORD>(taken * sizeof(short));
            MMRESULT result = waveOutPrepareHeader(m_device, &buffer.header, sizeof buffer.header);
            if (result == MMSYSERR_NOERROR)
                result = waveOutWrite(m_device, &buffer.header, sizeof buffer.header);
            if (result != MMSYSERR_NOERROR) {
                failure = failureText(result);
                return false;
            }
            samples += taken;
            count -= taken;
        }
        return true;
    }

    void drain() override
    {
        while (std::any_of(m_buffers.begin(), m_buffers.end(), [](const Buffer& buffer) { return isQueued(buffer); }))
            WaitForSingleObject(m_bufferDone, 50);
    }

    void discard() override { waveOutReset(m_device); }

    static QString failureText(MMRESULT result)
    {
        switch (result) {
        case MMSYSERR_NODRIVER:
        case MMSYSERR_BADDEVICEID:
            return QStringLiteral("Звук не удалось воспроизвести: на компьютере не найдено устройства вывода "
                                  "звука (динамиков или наушников).");
        case MMSYSERR_ALLOCATED:
            return QStringLiteral("Звук не удалось воспроизвести: устройство вывода звука занято другой программой.");
        default: {
            std::array<wchar_t, MAXERRORLENGTH> text{};
            waveOutGetErrorTextW(result, text.data(), static_cast<UINT>(text.size()));
            return QStringLiteral("Звук не удалось воспроизвести: Windows сообщила об ошибке (%1).")
                .arg(QString::fromWCharArray(text.data()).trimmed());
        }
        }
    }

private:
    struct Buffer {
        WAVEHDR header{};
        std::vector<short> samples;
    };

    static bool isQueued(const Buffer& buffer)
    {
        return (buffer.header.dwFlags & WHDR_PREPARED) && !(buffer.header.dwFlags & WHDR_DONE);
    }

    // The next buffer in turn, once the device has played it; it comes back unprepared.
    Buffer& freeBuffer()
    {
        Buffer& buffer = m_buffers[m_next];
        m_next = (m_next + 1) % m_buffers.size();
        while (isQueued(buffer))
            WaitForSingleObject(m_bufferDone, 50);
        if (buffer.header.dwFlags & WHDR_PREPARED)
            waveOutUnprepareHeader(m_device, &buffer.header, sizeof buffer.header);
        return buffer;
    }

    HWAVEOUT m_device;
    HANDLE m_bufferDone;
    // Half a second queued in buffers of a fiftieth of a second, so that a
    // busy computer does not break the sound up; stopping resets the device,
    // which silences it at once however much is queued.
    std::array<Buffer, 25> m_buffers;
    std::size_t m_next = 0;
};

} // namespace

std::unique_ptr<SoundOutput> SoundOutput::open(int sampleRate, QString& failure)
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = sizeof(short);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;

    HANDLE bufferDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT device = nullptr;
    const MMRESULT result = waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(bufferDone), 0,
                                        CALLBACK_EVENT);
    if (result != MMSYSERR_NOERROR) {
        CloseHandle(bufferDone);
        failure = WaveSoundOutput::failureText(result);
        return nullptr;
    }
    return std::make_unique<WaveSoundOutput>(device, bufferDone, static_cast<std::size_t>(sampleRate) / 50);
}
