#include "audio/RiffChunk.h"

#include <cstring>
#include <new>

RiffChunk::RiffChunk() : id(FourCC(' ', ' ', ' ', ' ')), size(0) {}

RiffChunk::~RiffChunk() { Clear(); }

void RiffChunk::Clear()
{
    data.reset();
    size = 0;
}

bool RiffChunk::CopyData(uint32_t chunkId, const uint8_t* bytes, uint32_t length)
{
    Clear();
    if (length > 0) {
        data.reset(new (std::nothrow) uint8_t[length]);
        if (!data) return false;
        std::memcpy(data.get(), bytes, length);
    }
    id = chunkId;
    size = length;
    return true;
}

const uint8_t* RiffChunk::Parse(const uint8_t* start, size_t available)
{
    Clear();
    if (start == nullptr || available <= 8) return nullptr;
    uint32_t declared = ReadLE32(start + 4);
    if (declared > available - 8) return nullptr;
    if (!CopyData(ReadLE32(start), start + 8, declared)) return nullptr;
    return start + 8 + declared;
}

bool RiffChunk::FindSubChunk(uint32_t wanted, uint32_t index, RiffChunk& out) const
{
    out.Clear();
    size_t pos = 0;
    if (id == FourCC('R', 'I', 'F', 'F') || id == FourCC('L', 'I', 'S', 'T')) pos = 4;
    while (pos <= size && size - pos >= 8) {
        const uint8_t* header = data.get() + pos;
        uint32_t subId = ReadLE32(header);
        uint32_t subSize = ReadLE32(header + 4);
        size_t remaining = size - pos - 8;
        if (subSize > remaining) return false;
        if (subId == wanted || subId == 0 || wanted == 0) {
            if (index == 0) return out.CopyData(subId, header + 8, subSize);
            --index;
        }
        // Data is padded to an even length; a missing pad byte at the very end just ends the walk.
        pos += 8 + static_cast<size_t>(subSize) + (subSize & 1u);
    }
    return false;
}
