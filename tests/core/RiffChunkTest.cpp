#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
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

bool ReadWaveFile(const Bytes& file, WaveFormat& format, RiffChunk& samples, uint32_t& frames)
{
    RiffChunk riff;
    return ParseAll(riff, file) && ReadWave(riff, format, samples, frames);
}
}  // namespace

TEST(RiffChunk, ParseCopiesOneChunkAndReturnsWhatFollows)
{
    const uint8_t riff[] = {'R', 'I', 'F', 'F'};
    EXPECT_EQ(FourCC('R', 'I', 'F', 'F'), ReadLE32(riff));

    Bytes file = Concat({Chunk("abcd", Samples(5), false), Chunk("efgh", Samples(2))});
    RiffChunk chunk;
    const uint8_t* next = chunk.Parse(file.data(), file.size());
    ASSERT_EQ(next, file.data() + 13);
    EXPECT_EQ(chunk.id, FourCC('a', 'b', 'c', 'd'));
    ASSERT_EQ(chunk.size, 5u);
    EXPECT_EQ(Bytes(chunk.Data(), chunk.Data() + 5), Samples(5));
    EXPECT_NE(chunk.Data(), file.data() + 8) << "the data must be the chunk's own copy";
    EXPECT_EQ(chunk.Parse(next, file.size() - 13), file.data() + file.size());
    EXPECT_EQ(chunk.id, FourCC('e', 'f', 'g', 'h'));
    chunk.Clear();
    EXPECT_EQ(chunk.id, FourCC('e', 'f', 'g', 'h')) << "Clear keeps the id";
    EXPECT_EQ(chunk.Data(), nullptr);
}

TEST(RiffChunk, ParseRefusesShortInputAndSizesThatLie)
{
    RiffChunk chunk;
    Bytes file = Chunk("abcd", Samples(10));
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

TEST(RiffChunk, FindSkipsTheFormTypeOfRiffAndListOnlyAndStepsOverPadBytes)
{
    Bytes inner = Concat({Chunk("one ", Samples(3)), Chunk("two ", Samples(1)), Chunk("even", Samples(2)),
                          Chunk("last", Samples(5), false)});
    RiffChunk parent, found;
    for (const char* parentId : {"RIFF", "LIST"}) {
        ASSERT_TRUE(ParseAll(parent, Chunk(parentId, Concat({Bytes{'t', 'w', 'o', ' '}, inner}))));
        ASSERT_TRUE(parent.FindSubChunk(FourCC('t', 'w', 'o', ' '), 0, found)) << parentId;
        EXPECT_EQ(Bytes(found.Data(), found.Data() + found.size), Samples(1)) << "the form type is not a chunk id";
        ASSERT_TRUE(parent.FindSubChunk(FourCC('e', 'v', 'e', 'n'), 0, found));
        EXPECT_EQ(Bytes(found.Data(), found.Data() + found.size), Samples(2));
        // The last chunk may lack its pad byte: it is still found, and the walk ends after it.
        ASSERT_TRUE(parent.FindSubChunk(FourCC('l', 'a', 's', 't'), 0, found));
        EXPECT_EQ(found.size, 5u);
        EXPECT_FALSE(parent.FindSubChunk(FourCC('l', 'a', 's', 't'), 1, found));
    }
    // Any other parent is walked from its first byte.
    ASSERT_TRUE(ParseAll(parent, Chunk("wrap", inner)));
    ASSERT_TRUE(parent.FindSubChunk(FourCC('o', 'n', 'e', ' '), 0, found));
    EXPECT_EQ(found.size, 3u);
    EXPECT_FALSE(parent.FindSubChunk(FourCC('x', 'x', 'x', 'x'), 0, found));
}

TEST(RiffChunk, FindCountsMatchesAndTreatsZeroIdsAsWildcards)
{
    Bytes zeroId = {0, 0, 0, 0, 1, 0, 0, 0, 0x5A, 0};
    RiffChunk parent, found;
    ASSERT_TRUE(ParseAll(parent, Riff("TEST", Concat({Chunk("aaaa", Samples(2)), Chunk("bbbb", Samples(4)),
                                                      Chunk("aaaa", Samples(6)), zeroId}))));
    ASSERT_TRUE(parent.FindSubChunk(FourCC('a', 'a', 'a', 'a'), 1, found));
    EXPECT_EQ(found.size, 6u);
    ASSERT_TRUE(parent.FindSubChunk(FourCC('a', 'a', 'a', 'a'), 2, found)) << "a zero id matches any wanted";
    EXPECT_EQ(found.id, 0u);
    EXPECT_EQ(found.Data()[0], 0x5A);
    ASSERT_TRUE(parent.FindSubChunk(0, 1, found)) << "wanting 0 matches every chunk in order";
    EXPECT_EQ(found.id, FourCC('b', 'b', 'b', 'b'));
    EXPECT_FALSE(parent.FindSubChunk(0, 4, found));
    EXPECT_EQ(found.Data(), nullptr) << "a failed search leaves the result empty";
}

TEST(RiffChunk, FindStopsAtAChunkThatClaimsTooMuchOrAFragment)
{
    RiffChunk parent, found;
    ASSERT_TRUE(ParseAll(parent, Riff("TEST", Concat({Chunk("good", Samples(2)), Header("liar", 100), Bytes(12, 0)}))));
    EXPECT_TRUE(parent.FindSubChunk(FourCC('g', 'o', 'o', 'd'), 0, found));
    EXPECT_FALSE(parent.FindSubChunk(FourCC('l', 'i', 'a', 'r'), 0, found));
    EXPECT_FALSE(parent.FindSubChunk(0xFFFFFFFFu, 0, found));

    // A header that claims the largest size must not wrap the walk around.
    ASSERT_TRUE(ParseAll(parent, Riff("TEST", Concat({Header("wrap", 0xFFFFFFFFu), Chunk("late", Samples(2))}))));
    EXPECT_FALSE(parent.FindSubChunk(FourCC('l', 'a', 't', 'e'), 0, found));

    // Seven trailing bytes are not a header; a RIFF too small for its form type holds nothing.
    ASSERT_TRUE(ParseAll(parent, Riff("TEST", Bytes{'d', 'a', 't', 'a', 0, 0, 0})));
    EXPECT_FALSE(parent.FindSubChunk(FourCC('d', 'a', 't', 'a'), 0, found));
    ASSERT_TRUE(ParseAll(parent, Chunk("RIFF", Bytes{'W', 'A'})));
    EXPECT_FALSE(parent.FindSubChunk(0, 0, found));
}

TEST(ReadWave, ReadsFormatAndWholeFramesAndSkipsChunksBeforeTheData)
{
    Bytes file = Riff("WAVE", Concat({Chunk("fmt ", Fmt(2, 22050, 16)), Chunk("fact", Bytes{7, 0, 0, 0}),
                                      Chunk("data", Samples(15))}));
    RiffChunk samples;
    WaveFormat format;
    uint32_t frames = 99;
    ASSERT_TRUE(ReadWaveFile(file, format, samples, frames));
    EXPECT_EQ(Fields(format), (std::vector<uint32_t>{1, 2, 22050, 88200, 4, 16, 0}));
    EXPECT_EQ(frames, 3u) << "15 bytes hold three whole 4-byte frames";
    EXPECT_EQ(Bytes(samples.Data(), samples.Data() + samples.size), Samples(15));

    // At most 18 format bytes are taken; a short format leaves its missing fields 0.
    struct Case {
        size_t fmtSize;
        uint16_t bits, extra;
    } cases[] = {{18, 8, 0x1234}, {22, 8, 0x1234}, {14, 0, 0}};
    for (const Case& c : cases) {
        file = Riff("WAVE", Concat({Chunk("fmt ", Fmt(1, 8000, 8, c.fmtSize, 0x1234)), Chunk("data", Samples(9))}));
        ASSERT_TRUE(ReadWaveFile(file, format, samples, frames)) << c.fmtSize;
        EXPECT_EQ(Fields(format), (std::vector<uint32_t>{1, 1, 8000, 8000, 1, c.bits, c.extra})) << c.fmtSize;
        EXPECT_EQ(frames, 9u);
    }
}

TEST(ReadWave, RefusesWhatIsNotAUsableWave)
{
    Bytes fmt = Chunk("fmt ", Fmt(1, 8000, 8));
    Bytes data = Chunk("data", Samples(4));
    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"not RIFF", Chunk("RIFX", Concat({Bytes{'W', 'A', 'V', 'E'}, fmt, data}))},
        {"not WAVE", Riff("AVI ", Concat({fmt, data}))},
        {"no form type", Chunk("RIFF", Bytes{'W', 'A', 'V'})},
        {"no fmt", Riff("WAVE", data)},
        {"no data", Riff("WAVE", fmt)},
        {"block align 0", Riff("WAVE", Concat({Chunk("fmt ", Fmt(1, 8000, 0)), data}))},
        {"fmt of 12 bytes", Riff("WAVE", Concat({Chunk("fmt ", Fmt(1, 8000, 8, 12)), data}))},
        {"data longer than the file", Riff("WAVE", Concat({fmt, Bytes(data.begin(), data.end() - 1)}))},
    };
    for (const Case& c : cases) {
        RiffChunk riff, samples;
        ASSERT_TRUE(ParseAll(riff, c.file)) << c.what;
        WaveFormat format;
        uint32_t frames = 77;
        EXPECT_FALSE(ReadWave(riff, format, samples, frames)) << c.what;
        EXPECT_EQ(samples.Data(), nullptr) << c.what;
        EXPECT_EQ(frames, 0u) << c.what;
    }
}

// The four effects the show ships, as the resource script builds them in.
TEST(ReadWave, TheShippedEffectsHaveTheirFormatsAndLengths)
{
    struct Effect {
        const char* file;
        uint32_t rate;
        double seconds;
    } effects[] = {{"launch.wav", 8000, 1.6}, {"burst.wav", 16000, 2.25}, {"fountain.wav", 8000, 3.8}, {"crackle.wav", 8000, 2.0}};
    for (const Effect& e : effects) {
        std::ifstream in(std::string(FW_SOURCE_DIR) + "/resources/" + e.file, std::ios::binary);
        Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        RiffChunk samples;
        WaveFormat format;
        uint32_t frames = 0;
        ASSERT_TRUE(ReadWaveFile(file, format, samples, frames)) << e.file << ": the RIFF size must cover exactly the file";
        EXPECT_EQ(Fields(format), (std::vector<uint32_t>{1, 1, e.rate, e.rate, 1, 8, 0})) << e.file;
        EXPECT_NEAR(frames / static_cast<double>(e.rate), e.seconds, 0.05) << e.file;
        // Real sound, not silence or a square block: the samples swing both ways around 128.
        auto range = std::minmax_element(samples.Data(), samples.Data() + samples.size);
        ASSERT_NE(samples.size, 0u) << e.file;
        EXPECT_LT(*range.first, 64) << e.file;
        EXPECT_GT(*range.second, 192) << e.file;
    }
}
