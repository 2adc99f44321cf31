// Reading the format and the samples out of a whole RIFF/WAVE file held in one chunk.
#pragma once
#include <cstdint>

#include "audio/RiffChunk.h"
#include "audio/WaveFormat.h"

// True when `riff` is a "RIFF" chunk of form "WAVE" with a "fmt " and a "data" sub-chunk and a non-zero
// block align. Then `format` is the first "fmt " (at most 18 bytes of it), `samples` a copy of the
// first "data" and `frames` the number of whole sample frames in it.
bool ReadWave(const RiffChunk& riff, WaveFormat& format, RiffChunk& samples, uint32_t& frames);
