#pragma once

#include "ui/sound/sounddevices.h"

#include <memory>

// An output written straight to Windows' audio engine, with half a second
// queued in the engine itself. The wave output on top of the engine keeps
// only a tenth of a second there, however much the program queues with it,
// so a computer busy for longer breaks the sound up. Null where the engine
// cannot take the samples as they are (a Windows without its format
// conversion, no device at all); the wave output is then used instead, which
// says why in Windows' own words where it cannot play either.
std::unique_ptr<SoundOutput> openAudioClientOutput(int sampleRate, int channels);
