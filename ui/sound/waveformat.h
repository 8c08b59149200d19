#pragma once

#include <windows.h>
#include <mmreg.h>

// Interleaved samples of `bitsPerSample` each, as Windows' sound functions
// describe them: `tag` is WAVE_FORMAT_PCM or WAVE_FORMAT_IEEE_FLOAT.
inline WAVEFORMATEX waveFormat(WORD tag, int bitsPerSample, int sampleRate, int channels)
{
    WAVEFORMATEX format{};
    format.wFormatTag = tag;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
    format.wBitsPerSample = static_cast<WORD>(bitsPerSample);
    format.nBlockAlign = static_cast<WORD>(channels * bitsPerSample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    return format;
}
