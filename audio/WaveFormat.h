// The 18-byte wave format record of a WAVE file's "fmt " chunk, laid out field for field like the
// platform's WAVEFORMATEX so that it can be handed over as it is.
#pragma once
#include <cstdint>

#pragma pack(push, 1)
struct WaveFormat {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t samplesPerSec;
    uint32_t avgBytesPerSec;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
    uint16_t extraSize;
};
#pragma pack(pop)

static_assert(sizeof(WaveFormat) == 18, "the wave format record is 18 bytes, without padding");

// Reads at most 18 bytes of a "fmt " chunk into a record that starts all zero, so a 16-byte PCM format
// leaves extraSize 0 and a short one leaves its missing fields 0.
WaveFormat WaveFormatFromBytes(const uint8_t* bytes, uint32_t size);
