#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "audio/RiffChunk.h"
#include "audio/WaveFile.h"

namespace {
typedef std::vector<uint8_t> Bytes;

void Put(Bytes& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

Bytes Header(const char* id, uint32_t size)
{
    Bytes out(id, id + 4);
    Put(out, size, 4);
    return out;
}

// A chunk with its payload; with `pad`, an odd payload gets its pad byte.
Bytes Chunk(const char* id, const Bytes& payload, bool pad = true)
{
    Bytes out = Header(id, static_cast<uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    if (pad && payload.size() % 2 != 0) out.push_back(0);
    return out;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes Riff(const char* form, const Bytes& chunks) { return Chunk("RIFF", Concat({Bytes(form, form + 4), chunks})); }

// A PCM "fmt " payload cut or filled (with 0xEE) to `size` bytes; `extra` is the 18-byte record's last field.
Bytes Fmt(uint16_t channels, uint32_t rate, uint16_t bits, size_t size = 16, uint16_t extra = 0)
{
    uint32_t align = channels * bits / 8u;
    const uint32_t fields[][2] = {{1, 2}, {channels, 2}, {rate, 4}, {rate * align, 4}, {align, 2}, {bits, 2}, {extra, 2}};
    Bytes out;
    for (const auto& f : fields) Put(out, f[0], static_cast<int>(f[1]));
    out.resize(size, 0xEE);
    return out;
}

std::vector<uint32_t> Fields(const WaveFormat& f)
{
    return {f.formatTag, f.channels, f.samplesPerSec, f.avgBytesPerSec, f.blockAlign, f.bitsPerSample, f.extraSize};
}

Bytes Samples(size_t n)
{
    Bytes out;
    for (size_t i = 0; i < n; ++i) out.push_back(static_cast<uint8_t>(i * 7 + 1));
    return out;
}

// Parses a whole test file; the chunk must end at the file's end or just before its pad byte.
bool ParseAll(RiffChunk& chunk, const Bytes& file)
{
    const uint8_t* end = chunk.Parse(file.data(), file.size());
    return end != nullptr && static_cast<size_t>(file.data() + file.size() - end) == (chunk.size & 1u);
}
}  // namespace

TEST(RiffChunk, ParseRefusesShortInputAndSizesThatLie)
{
    RiffChunk chunk;
    Bytes file = Chunk("abcd", Samples(10));
    ASSERT_NE(chunk.Parse(file.data(), file.size()), nullptr);  // a failed parse empties a used chunk
    for (size_t n = 0; n < file.size(); ++n) {
        EXPECT_EQ(chunk.Parse(file.data(), n), nullptr) << n << " bytes";
        EXPECT_EQ(chunk.Data(), nullptr);
    }
    // A bare header is refused: at least one byte must follow it.
    Bytes empty = Chunk("abcd", Bytes());
    EXPECT_EQ(chunk.Parse(empty.data(), empty.size()), nullptr);
    Bytes padded = Concat({empty, Bytes{0}});
    EXPECT_EQ(chunk.Parse(padded.data(), padded.size()), padded.data() + 8);

    Bytes huge = Concat({Header("RIFF", 0xFFFFFFFFu), Bytes(56, 0)});
    EXPECT_EQ(chunk.Parse(huge.data(), huge.size()), nullptr);
    EXPECT_EQ(chunk.Parse(nullptr, 100), nullptr);
}

// Each row searches one parent for the index-th match of an id (0 matches any; a chunk with id 0
// matches any wanted) and gives the size of what is found, or -1 for nothing. Sizes differ within
// a parent, so the size tells which chunk was found.
TEST(RiffChunk, FindSubChunkWalksThePayloadAndStopsAtWhatDoesNotFit)
{
    const Bytes inner = Concat({Chunk("one ", Samples(3)), Chunk("two ", Samples(1)), Chunk("even", Samples(2)),
                                Chunk("last", Samples(5), false)});
    const Bytes named = Concat({Bytes{'t', 'w', 'o', ' '}, inner});
    const Bytes counted = Riff("TEST", Concat({Chunk("aaaa", Samples(2)), Chunk("bbbb", Samples(4)),
                                               Chunk("aaaa", Samples(6)), Chunk(std::string(4, '\0').c_str(), Samples(1))}));
    const Bytes liar = Riff("TEST", Concat({Chunk("good", Samples(2)), Header("liar", 100), Bytes(12, 0)}));
    struct Case {
        const char* what;
        Bytes parent;
        const char* wanted;  // nullptr wants any id
        uint32_t index;
        int size;
    } cases[] = {
        {"RIFF form type is no chunk", Chunk("RIFF", named), "two ", 0, 1},
        {"LIST form type is no chunk", Chunk("LIST", named), "two ", 0, 1},
        {"steps over a pad byte", Chunk("RIFF", named), "even", 0, 2},
        {"last chunk without its pad", Chunk("LIST", named), "last", 0, 5},
        {"other parents from the first byte", Chunk("wrap", inner), "one ", 0, 3},
        {"second match", counted, "aaaa", 1, 6},
        {"a zero id matches any wanted", counted, "aaaa", 2, 1},
        {"wanting any counts every chunk", counted, nullptr, 1, 4},
        {"past the last", counted, nullptr, 4, -1},
        {"before a chunk that claims too much", liar, "good", 0, 2},
        {"a chunk that claims too much", liar, "liar", 0, -1},
        {"an empty chunk at the very end", Riff("TEST", Concat({Chunk("good", Samples(2)), Chunk("none", Bytes())})), "none", 0, 0},
        {"the largest size does not wrap", Riff("TEST", Concat({Header("wrap", 0xFFFFFFFFu), Chunk("late", Samples(2))})), "late", 0, -1},
        {"seven bytes are no header", Riff("TEST", Bytes{'d', 'a', 't', 'a', 0, 0, 0}), "data", 0, -1},
        {"too small for its form type", Chunk("RIFF", Bytes{'W', 'A'}), nullptr, 0, -1},
    };
    for (const Case& c : cases) {
        RiffChunk parent, found;
        ASSERT_TRUE(ParseAll(parent, c.parent)) << c.what;
        uint32_t wanted = c.wanted == nullptr ? 0 : ReadLE32(reinterpret_cast<const uint8_t*>(c.wanted));
        found.Parse(inner.data(), inner.size());  // a used result must be emptied by a failed search
        EXPECT_EQ(parent.FindSubChunk(wanted, c.index, found), c.size >= 0) << c.what;
        if (c.size < 0) {
            EXPECT_EQ(found.Data(), nullptr) << c.what;
        } else {
            EXPECT_EQ(Bytes(found.Data(), found.Data() + found.size), Samples(static_cast<size_t>(c.size))) << c.what;
        }
    }
}

// Each row reads one file: the format's fields and the whole frames it holds, or a refusal (no fields).
TEST(ReadWave, ReadsFormatAndWholeFramesOrRefusesWhatIsNotAUsableWave)
{
    const Bytes fmt = Chunk("fmt ", Fmt(1, 8000, 8)), data = Chunk("data", Samples(9));
    const struct {
        const char* what;
        Bytes file;
        uint32_t frames;
        std::vector<uint32_t> fields;
    } cases[] = {
        {"15 bytes are three whole 4-byte frames; other chunks are skipped",
         Riff("WAVE", Concat({Chunk("fmt ", Fmt(2, 22050, 16)), Chunk("fact", Bytes{7, 0, 0, 0}), Chunk("data", Samples(15))})),
         3, {1, 2, 22050, 88200, 4, 16, 0}},
        {"not RIFF", Chunk("RIFX", Concat({Bytes{'W', 'A', 'V', 'E'}, fmt, data})), 0, {}},
        // At most 18 format bytes are taken; a short format leaves its missing fields 0.
        {"fmt of 18", Riff("WAVE", Concat({Chunk("fmt ", Fmt(1, 8000, 8, 18, 0x1234)), data})), 9, {1, 1, 8000, 8000, 1, 8, 0x1234}},
        {"not WAVE", Riff("AVI ", Concat({fmt, data})), 0, {}},
        {"fmt of 22", Riff("WAVE", Concat({Chunk("fmt ", Fmt(1, 8000, 8, 22, 0x1234)), data})), 9, {1, 1, 8000, 8000, 1, 8, 0x1234}},
        {"fmt of 14", Riff("WAVE", Concat({Chunk("fmt ", Fmt(1, 8000, 8, 14)), data})), 9, {1, 1, 8000, 8000, 1, 0, 0}},
        {"no form type", Chunk("RIFF", Bytes{'W', 'A', 'V'}), 0, {}},
        {"no fmt", Riff("WAVE", data), 0, {}},
        {"no data", Riff("WAVE", fmt), 0, {}},
        {"block align 0", Riff("WAVE", Concat({Chunk("fmt ", Fmt(1, 8000, 0)), data})), 0, {}},
        {"fmt of 12 bytes", Riff("WAVE", Concat({Chunk("fmt ", Fmt(1, 8000, 8, 12)), data})), 0, {}},
        {"data longer than the file", Riff("WAVE", Concat({fmt, Bytes(data.begin(), data.end() - 2)})), 0, {}},
    };
    RiffChunk samples;  // reused: a refusal must empty what an earlier read left
    for (const auto& c : cases) {
        RiffChunk riff;
        ASSERT_TRUE(ParseAll(riff, c.file)) << c.what;
        WaveFormat format;
        uint32_t frames = 77;
        EXPECT_EQ(ReadWave(riff, format, samples, frames), !c.fields.empty()) << c.what;
        EXPECT_EQ(frames, c.frames) << c.what;
        if (c.fields.empty()) {
            EXPECT_EQ(samples.Data(), nullptr) << c.what;
        } else {
            EXPECT_EQ(Fields(format), c.fields) << c.what;
            EXPECT_EQ(Bytes(samples.Data(), samples.Data() + samples.size), Samples(samples.size)) << c.what;
        }
    }
}
