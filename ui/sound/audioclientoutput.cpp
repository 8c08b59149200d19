#include "ui/sound/audioclientoutput.h"
#include "ui/sound/waveformat.h"

#include <windows.h>
#include <audioclient.h>
#include <mmdeviceapi.h>

#include <algorithm>
#include <cstring>

namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer()
    {
        if (m_pointer)
            m_pointer->Release();
    }

    Interface* operator->() const { return m_pointer; }
    Interface* get() const { return m_pointer; }
    Interface** put() { return &m_pointer; }
    void** putVoid() { return reinterpret_cast<void**>(&m_pointer); }

private:
    Interface* m_pointer = nullptr;
};

// COM for the sound's thread for as long as the output lives on it.
class ComApartment {
public:
    ComApartment()
        : m_initialized(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
    {
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (m_initialized)
            CoUninitialize();
    }

private:
    bool m_initialized;
};

constexpr REFERENCE_TIME kQueued = 5'000'000; // half a second, in 100 ns
constexpr DWORD kPollMilliseconds = 10;

class AudioClientOutput final : public SoundOutput {
public:
    AudioClientOutput(std::unique_ptr<ComApartment> apartment, int channels, int sampleRate)
        : m_apartment(std::move(apartment))
        , m_channels(static_cast<std::size_t>(channels))
        , m_sampleRate(sampleRate)
    {
    }

    ~AudioClientOutput() override
    {
        if (m_client.get())
            m_client->Stop();
    }

    // Set up by openAudioClientOutput; false where the engine refuses.
    bool open(IMMDevice* device)
    {
        if (FAILED(device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr, m_client.putVoid())))
            return false;
        const WAVEFORMATEX format
            = waveFormat(WAVE_FORMAT_IEEE_FLOAT, 32, m_sampleRate, static_cast<int>(m_channels));
        // The engine converts the rate and the channels to its own mix.
        const DWORD flags = AUDCLNT_STREAMFLAGS_AUTOCONVERTPCM | AUDCLNT_STREAMFLAGS_SRC_DEFAULT_QUALITY
                            | AUDCLNT_STREAMFLAGS_NOPERSIST;
        if (FAILED(m_client->Initialize(AUDCLNT_SHAREMODE_SHARED, flags, kQueued, 0, &format, nullptr))
            || FAILED(m_client->GetBufferSize(&m_bufferFrames))
            || FAILED(m_client->GetService(__uuidof(IAudioRenderClient), m_render.putVoid())))
            return false;
        return true;
    }

    bool write(const float* samples, std::size_t count, SoundFailure& failure) override
    {
        std::size_t frames = count / m_channels;
        while (frames > 0) {
            UINT32 queued = 0;
            HRESULT result = m_client->GetCurrentPadding(&queued);
            if (FAILED(result))
                return fail(result, failure);
            const UINT32 room = m_bufferFrames - std::min(queued, m_bufferFrames);
            if (room == 0) {
                // The engine starts once its queue is full, so that the start
                // of the sound does not wait on what follows it.
                if (!start(failure))
                    return false;
                Sleep(kPollMilliseconds);
                continue;
            }
            const auto taken = static_cast<UINT32>(std::min<std::size_t>(room, frames));
            BYTE* data = nullptr;
            result = m_render->GetBuffer(taken, &data);
            if (FAILED(result))
                return fail(result, failure);
            std::memcpy(data, samples, taken * m_channels * sizeof(float));
            result = m_render->ReleaseBuffer(taken, 0);
            if (FAILED(result))
                return fail(result, failure);
            samples += taken * m_channels;
            frames -= taken;
        }
        return true;
    }

    void drain(const std::atomic<bool>& stopping) override
    {
        // The engine's queue is empty once it has handed everything on, which
        // may be before it is heard; releasing the engine then would cut the
        // end of the sound, its fade included, into a click. A tenth of a
        // second of silence after it takes that cut instead.
        const std::vector<float> silence(static_cast<std::size_t>(m_sampleRate / 10) * m_channels, 0.0f);
        SoundFailure ignored;
        if (!write(silence.data(), silence.size(), ignored) || !start(ignored))
            return;
        const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(kQueued / 10'000) + 1000;
        UINT32 queued = 0;
        while (!stopping && SUCCEEDED(m_client->GetCurrentPadding(&queued)) && queued > 0
               && GetTickCount64() < deadline)
            Sleep(kPollMilliseconds);
    }

    void discard() override
    {
        m_client->Stop();
        m_client->Reset();
    }

private:
    bool start(SoundFailure& failure)
    {
        if (m_started)
            return true;
        const HRESULT result = m_client->Start();
        if (FAILED(result))
            return fail(result, failure);
        m_started = true;
        return true;
    }

    static bool fail(HRESULT result, SoundFailure& failure)
    {
        switch (result) {
        case AUDCLNT_E_DEVICE_INVALIDATED:
            failure = {SoundFailure::Kind::NoDevice, {}};
            break;
        case AUDCLNT_E_SERVICE_NOT_RUNNING:
            failure = {SoundFailure::Kind::NoServer, {}};
            break;
        default:
            failure = {SoundFailure::Kind::Other,
                       QStringLiteral("0x%1").arg(static_cast<quint32>(result), 8, 16, QLatin1Char('0'))};
        }
        return false;
    }

    // Declared first so that COM outlives the interfaces below.
    std::unique_ptr<ComApartment> m_apartment;
    ComPointer<IAudioClient> m_client;
    ComPointer<IAudioRenderClient> m_render;
    std::size_t m_channels;
    int m_sampleRate;
    UINT32 m_bufferFrames = 0;
    bool m_started = false;
};

} // namespace

std::unique_ptr<SoundOutput> openAudioClientOutput(int sampleRate, int channels)
{
    if (sampleRate <= 0 || channels < 1 || channels > 2)
        return nullptr;
    auto apartment = std::make_unique<ComApartment>();
    std::unique_ptr<AudioClientOutput> output;
    {
        ComPointer<IMMDeviceEnumerator> devices;
        ComPointer<IMMDevice> device;
        if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                                    devices.putVoid()))
            || FAILED(devices->GetDefaultAudioEndpoint(eRender, eConsole, device.put())))
            return nullptr;
        output = std::make_unique<AudioClientOutput>(std::move(apartment), channels, sampleRate);
        if (!output->open(device.get()))
            return nullptr;
    }
    return output;
}
