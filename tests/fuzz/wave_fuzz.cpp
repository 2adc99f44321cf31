// libFuzzer target: arbitrary bytes as a WAVE resource. Parsing and the wave reader (which walks the
// sub-chunks) must never read outside what they were given, whatever the sizes inside claim.
#include <cstddef>
#include <cstdint>

#include "audio/RiffChunk.h"
#include "audio/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    RiffChunk riff;
    const uint8_t* end = riff.Parse(bytes, size);
    if (end == nullptr) return 0;
    if (end < bytes || end > bytes + size) __builtin_trap();

    WaveFormat format;
    RiffChunk samples;
    uint32_t frames = 0;
    if (ReadWave(riff, format, samples, frames)) {
        if (format.blockAlign == 0 || static_cast<uint64_t>(frames) * format.blockAlign > samples.size) __builtin_trap();
        // Touch every byte a sound buffer would be filled from.
        volatile uint8_t sum = 0;
        for (uint32_t i = 0; i < frames * format.blockAlign; ++i) sum = static_cast<uint8_t>(sum + samples.Data()[i]);
    }
    return 0;
}
