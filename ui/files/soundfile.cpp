#include "ui/files/soundfile.h"

#include <sndfile.h>

#include <QtGlobal>
#ifndef Q_OS_WIN
#include <QLibrary>
#endif

#include <algorithm>
#include <cstring>

namespace {

// The library's three functions the reading needs. On Windows it is part of
// the program; elsewhere it is loaded when a sound file is first opened, so
// that the window starts without it.
struct SndFile {
    decltype(&sf_open_virtual) open = nullptr;
    decltype(&sf_readf_float) readFrames = nullptr;
    decltype(&sf_close) close = nullptr;

    bool isLoaded() const { return open && readFrames && close; }
};

const SndFile& sndFile()
{
    static const SndFile library = [] {
        SndFile loaded;
#ifdef Q_OS_WIN
        loaded = {&sf_open_virtual, &sf_readf_float, &sf_close};
#else
        QLibrary file(QStringLiteral("sndfile"), 1);
        if (!file.load())
            return loaded;
        loaded.open = reinterpret_cast<decltype(&sf_open_virtual)>(file.resolve("sf_open_virtual"));
        loaded.readFrames = reinterpret_cast<decltype(&sf_readf_float)>(file.resolve("sf_readf_float"));
        loaded.close = reinterpret_cast<decltype(&sf_close)>(file.resolve("sf_close"));
#endif
        return loaded;
    }();
    return library;
}

// libsndfile reads the file from memory, so that a path in any script opens
// the same way on every system.
struct Memory {
    const QByteArray* bytes;
    sf_count_t at = 0;
};

sf_count_t memoryLength(void* data)
{
    return static_cast<Memory*>(data)->bytes->size();
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* data)
{
    auto* memory = static_cast<Memory*>(data);
    const sf_count_t size = memory->bytes->size();
    const sf_count_t from = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? memory->at : size;
    memory->at = std::clamp<sf_count_t>(from + offset, 0, size);
    return memory->at;
}

sf_count_t memoryRead(void* destination, sf_count_t count, void* data)
{
    auto* memory = static_cast<Memory*>(data);
    const sf_count_t available = std::min(count, sf_count_t(memory->bytes->size()) - memory->at);
    if (available <= 0)
        return 0;
    std::memcpy(destination, memory->bytes->constData() + memory->at, std::size_t(available));
    memory->at += available;
    return available;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t memoryTell(void* data)
{
    return static_cast<Memory*>(data)->at;
}

} // namespace

SoundFileSamples readSoundFile(const QByteArray& bytes)
{
    SoundFileSamples read;
    const SndFile& library = sndFile();
    if (!library.isLoaded()) {
        read.fault = QStringLiteral("для чтения звука нужна библиотека libsndfile, а её нет");
        return read;
    }
    Memory memory{&bytes};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    SNDFILE* file = library.open(&io, SFM_READ, &info, &memory);
    if (!file) {
        read.fault = QStringLiteral("это не звук WAV, который программа может прочитать");
        return read;
    }
    const int container = info.format & SF_FORMAT_TYPEMASK;
    const int encoding = info.format & SF_FORMAT_SUBMASK;
    const bool pcm = encoding == SF_FORMAT_PCM_U8 || encoding == SF_FORMAT_PCM_S8 || encoding == SF_FORMAT_PCM_16
                     || encoding == SF_FORMAT_PCM_24 || encoding == SF_FORMAT_PCM_32 || encoding == SF_FORMAT_FLOAT
                     || encoding == SF_FORMAT_DOUBLE;
    if ((container != SF_FORMAT_WAV && container != SF_FORMAT_WAVEX && container != SF_FORMAT_RF64) || !pcm) {
        read.fault = QStringLiteral("программа читает WAV с отсчётами PCM или с плавающей точкой, а здесь другое "
                                    "кодирование");
    } else if (info.samplerate < 8000 || info.samplerate > 192000) {
        read.fault = QStringLiteral("частота дискретизации %1 Гц вне пределов 8–192 кГц").arg(info.samplerate);
    } else if (info.channels < 1 || info.frames <= 0) {
        read.fault = QStringLiteral("в файле нет звука");
    } else {
        // The floats are scaled to ±1 whatever the samples' width; the
        // channels are averaged into one.
        const sf_count_t frames = std::min<sf_count_t>(info.frames, sf_count_t(kSoundFileSeconds * info.samplerate));
        std::vector<float> interleaved(std::size_t(frames) * std::size_t(info.channels));
        const sf_count_t got = library.readFrames(file, interleaved.data(), frames);
        read.samples.resize(std::size_t(std::max<sf_count_t>(got, 0)));
        for (std::size_t frame = 0; frame < read.samples.size(); ++frame) {
            float sum = 0;
            for (int channel = 0; channel < info.channels; ++channel)
                sum += interleaved[frame * std::size_t(info.channels) + std::size_t(channel)];
            read.samples[frame] = sum / float(info.channels);
        }
        read.sampleRate = info.samplerate;
        if (read.samples.empty())
            read.fault = QStringLiteral("в файле нет звука");
    }
    library.close(file);
    return read;
}
