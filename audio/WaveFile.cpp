#include "audio/WaveFile.h"

bool ReadWave(const RiffChunk& riff, WaveFormat& format, RiffChunk& samples, uint32_t& frames)
{
    samples.Clear();
    frames = 0;
    if (riff.id != FourCC('R', 'I', 'F', 'F') || riff.size < 4 || ReadLE32(riff.Data()) != FourCC('W', 'A', 'V', 'E'))
        return false;
    RiffChunk fmt;
    if (!riff.FindSubChunk(FourCC('f', 'm', 't', ' '), 0, fmt)) return false;
    format = WaveFormatFromBytes(fmt.Data(), fmt.size);
    if (!riff.FindSubChunk(FourCC('d', 'a', 't', 'a'), 0, samples)) return false;
    if (format.blockAlign == 0) {
        samples.Clear();
        return false;
    }
    frames = samples.size / format.blockAlign;
    return true;
}
