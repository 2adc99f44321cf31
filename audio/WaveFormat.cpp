#include "audio/WaveFormat.h"

#include "audio/RiffChunk.h"

WaveFormat WaveFormatFromBytes(const uint8_t* bytes, uint32_t size)
{
    uint8_t record[18] = {};
    for (uint32_t i = 0; i < size && i < sizeof(record) && bytes != nullptr; ++i) record[i] = bytes[i];
    WaveFormat format;
    format.formatTag = ReadLE16(record);
    format.channels = ReadLE16(record + 2);
    format.samplesPerSec = ReadLE32(record + 4);
    format.avgBytesPerSec = ReadLE32(record + 8);
    format.blockAlign = ReadLE16(record + 12);
    format.bitsPerSample = ReadLE16(record + 14);
    format.extraSize = ReadLE16(record + 16);
    return format;
}
