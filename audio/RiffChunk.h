// One RIFF chunk held in memory, and the two walks every RIFF reader needs: taking one chunk from a
// block of bytes and finding a sub-chunk inside a parent's data. Every length comes from the caller or
// the file, so both walks check each declared size against the bytes that are really there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

// A four-character code as the four bytes appear in a file, read little-endian ("RIFF" is R, I, F, F).
constexpr uint32_t FourCC(char a, char b, char c, char d)
{
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) | static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

inline uint32_t ReadLE32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

inline uint16_t ReadLE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

class RiffChunk {
public:
    RiffChunk(const RiffChunk&) = delete;
    RiffChunk& operator=(const RiffChunk&) = delete;
    RiffChunk();
    ~RiffChunk();

    // Releases the data; size becomes 0, the id stays.
    void Clear();

    // Takes one chunk (id, size, then size data bytes) from `start`, where `available` bytes may be
    // read, and copies its data. Returns the first byte after the chunk's data, or nullptr when fewer
    // than 9 bytes are available, the chunk declares more data than follows its header, or no memory is
    // left; the chunk is then empty.
    const uint8_t* Parse(const uint8_t* start, size_t available);

    // Copies the index-th sub-chunk (counting from 0) whose id matches `wanted` into `out`. The data of a
    // "RIFF" or "LIST" chunk starts with a form type, which is skipped; sub-chunk data is padded to an
    // even length. An id of 0, wanted or found, matches any id. The walk ends, not found, when fewer than
    // 8 bytes remain or a sub-chunk declares more data than remains. `out` is cleared first and stays
    // empty unless found.
    bool FindSubChunk(uint32_t wanted, uint32_t index, RiffChunk& out) const;

    // The chunk's own copy of its data bytes (none when empty).
    const uint8_t* Data() const { return data.get(); }

    uint32_t id;
    uint32_t size;

private:
    bool CopyData(uint32_t chunkId, const uint8_t* bytes, uint32_t length);

    std::unique_ptr<uint8_t[]> data;
};
