#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "audio/RiffChunk.h"
#include "audio/WaveFile.h"

namespace {
typedef std::vector<uint8_t> Bytes;

void Put32(Bytes& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutId(Bytes& out, const char* id) { out.insert(out.end(), id, id + 4); }

// One chunk with its even padding (unless told to leave the pad byte off).
Bytes Chunk(const char* id, const Bytes& payload, bool pad = true)
{
    Bytes out;
    PutId(out, id);
    Put32(out, static_cast<uint32_t>(payload.size()));
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

Bytes Form(const char* type, const Bytes& chunks)
{
    Bytes out;
    PutId(out, type);
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

// A "fmt " payload: PCM with the given channels, rate and bits; `size` bytes of it.
Bytes Fmt(uint16_t channels, uint32_t rate, uint16_t bits, size_t size = 16, uint16_t extra = 0)
{
    uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    Bytes out = {1, 0, static_cast<uint8_t>(channels), static_cast<uint8_t>(channels >> 8)};
    Put32(out, rate);
    Put32(out, rate * align);
    out.push_back(static_cast<uint8_t>(align));
    out.push_back(static_cast<uint8_t>(align >> 8));
    out.push_back(static_cast<uint8_t>(bits));
    out.push_back(static_cast<uint8_t>(bits >> 8));
    out.push_back(static_cast<uint8_t>(extra));
    out.push_back(static_cast<uint8_t>(extra >> 8));
    while (out.size() < size) out.push_back(0xEE);
    out.resize(size);
    return out;
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

Bytes ReadFile(const std::string& path)
{
    Bytes out;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return out;
    int c;
    while ((c = std::fgetc(f)) != EOF) out.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return out;
}
}  // namespace

TEST(RiffChunk, NewChunkIsFourSpacesAndEmptyAndClearKeepsTheId)
{
    RiffChunk chunk;
    EXPECT_EQ(chunk.id, FourCC(' ', ' ', ' ', ' '));
    EXPECT_EQ(chunk.size, 0u);
    EXPECT_EQ(chunk.data, nullptr);
    const uint8_t riff[] = {'R', 'I', 'F', 'F'};
    EXPECT_EQ(FourCC('R', 'I', 'F', 'F'), ReadLE32(riff));

    Bytes file = Chunk("abcd", Samples(6));
    ASSERT_TRUE(ParseAll(chunk, file));
    chunk.Clear();
    EXPECT_EQ(chunk.id, FourCC('a', 'b', 'c', 'd'));
    EXPECT_EQ(chunk.size, 0u);
    EXPECT_EQ(chunk.data, nullptr);
    chunk.Clear();
    EXPECT_EQ(chunk.data, nullptr);
}

TEST(RiffChunk, ParseCopiesOneChunkAndReturnsWhatFollows)
{
    Bytes file = Concat({Chunk("abcd", Samples(5), false), Chunk("efgh", Samples(2))});
    RiffChunk chunk;
    const uint8_t* next = chunk.Parse(file.data(), file.size());
    ASSERT_EQ(next, file.data() + 13);
    EXPECT_EQ(chunk.id, FourCC('a', 'b', 'c', 'd'));
    ASSERT_EQ(chunk.size, 5u);
    EXPECT_EQ(Bytes(chunk.data, chunk.data + 5), Samples(5));
    EXPECT_NE(chunk.data, file.data() + 8) << "the data must be the chunk's own copy";

    next = chunk.Parse(next, file.size() - 13);
    EXPECT_EQ(next, file.data() + file.size());
    EXPECT_EQ(chunk.id, FourCC('e', 'f', 'g', 'h'));
    EXPECT_EQ(chunk.size, 2u);
}

TEST(RiffChunk, ParseRefusesShortInputAndSizesThatLie)
{
    RiffChunk chunk;
    Bytes file = Chunk("abcd", Samples(10));
    ASSERT_NE(chunk.Parse(file.data(), file.size()), nullptr);
    // Every cut of the file claims more than is there.
    for (size_t n = 0; n < file.size(); ++n) {
        EXPECT_EQ(chunk.Parse(file.data(), n), nullptr) << n << " bytes";
        EXPECT_EQ(chunk.size, 0u);
        EXPECT_EQ(chunk.data, nullptr);
    }
    // A bare header with no data is refused too: at least one byte must follow it.
    Bytes empty = Chunk("abcd", Bytes());
    EXPECT_EQ(chunk.Parse(empty.data(), empty.size()), nullptr);
    Bytes padded = Concat({empty, Bytes{0}});
    EXPECT_EQ(chunk.Parse(padded.data(), padded.size()), padded.data() + 8);
    EXPECT_EQ(chunk.size, 0u);

    Bytes huge;
    PutId(huge, "RIFF");
    Put32(huge, 0xFFFFFFFFu);
    huge.resize(64, 0);
    EXPECT_EQ(chunk.Parse(huge.data(), huge.size()), nullptr);
    EXPECT_EQ(chunk.Parse(nullptr, 100), nullptr);
}

TEST(RiffChunk, FindSkipsTheFormTypeOfRiffAndListOnly)
{
    Bytes inner = Concat({Chunk("one ", Samples(3)), Chunk("two ", Samples(4))});
    RiffChunk found;
    for (const char* parentId : {"RIFF", "LIST"}) {
        RiffChunk parent;
        ASSERT_TRUE(ParseAll(parent, Chunk(parentId, Form("two ", inner))));
        ASSERT_TRUE(parent.FindSubChunk(FourCC('t', 'w', 'o', ' '), 0, found)) << parentId;
        EXPECT_EQ(found.size, 4u) << "the form type must not be taken for a chunk id";
        EXPECT_EQ(Bytes(found.data, found.data + 4), Samples(4));
    }
    // Any other parent is walked from its first byte.
    RiffChunk plain;
    ASSERT_TRUE(ParseAll(plain, Chunk("wrap", inner)));
    ASSERT_TRUE(plain.FindSubChunk(FourCC('o', 'n', 'e', ' '), 0, found));
    EXPECT_EQ(found.size, 3u);
    EXPECT_FALSE(plain.FindSubChunk(FourCC('x', 'x', 'x', 'x'), 0, found));
}

TEST(RiffChunk, FindStepsOverOddChunksWithTheirPadByte)
{
    Bytes chunks = Concat({Chunk("odd1", Samples(1)), Chunk("odd3", Samples(3)), Chunk("even", Samples(2)),
                           Chunk("last", Samples(5), false)});
    RiffChunk parent, found;
    ASSERT_TRUE(ParseAll(parent, Chunk("RIFF", Form("TEST", chunks))));
    ASSERT_TRUE(parent.FindSubChunk(FourCC('e', 'v', 'e', 'n'), 0, found));
    EXPECT_EQ(Bytes(found.data, found.data + found.size), Samples(2));
    // The last chunk may lack its pad byte: it is still found, and the walk ends after it.
    ASSERT_TRUE(parent.FindSubChunk(FourCC('l', 'a', 's', 't'), 0, found));
    EXPECT_EQ(found.size, 5u);
    EXPECT_FALSE(parent.FindSubChunk(FourCC('l', 'a', 's', 't'), 1, found));
}

TEST(RiffChunk, FindCountsMatchesAndTreatsZeroIdsAsWildcards)
{
    Bytes zeroId = {0, 0, 0, 0, 1, 0, 0, 0, 0x5A, 0};
    Bytes chunks = Concat({Chunk("aaaa", Samples(2)), Chunk("bbbb", Samples(4)), Chunk("aaaa", Samples(6)), zeroId});
    RiffChunk parent, found;
    ASSERT_TRUE(ParseAll(parent, Chunk("RIFF", Form("TEST", chunks))));
    ASSERT_TRUE(parent.FindSubChunk(FourCC('a', 'a', 'a', 'a'), 1, found));
    EXPECT_EQ(found.size, 6u);
    // The zero-id chunk matches whatever is wanted.
    ASSERT_TRUE(parent.FindSubChunk(FourCC('a', 'a', 'a', 'a'), 2, found));
    EXPECT_EQ(found.id, 0u);
    EXPECT_EQ(found.size, 1u);
    EXPECT_EQ(found.data[0], 0x5A);
    // Wanting id 0 matches every chunk in order.
    ASSERT_TRUE(parent.FindSubChunk(0, 1, found));
    EXPECT_EQ(found.id, FourCC('b', 'b', 'b', 'b'));
    EXPECT_FALSE(parent.FindSubChunk(0, 4, found));
    EXPECT_EQ(found.size, 0u);
    EXPECT_EQ(found.data, nullptr);
}

TEST(RiffChunk, FindStopsAtAChunkThatClaimsTooMuchOrAFragment)
{
    Bytes liar;
    PutId(liar, "liar");
    Put32(liar, 100);
    liar.resize(20, 0);
    Bytes chunks = Concat({Chunk("good", Samples(2)), liar});
    RiffChunk parent, found;
    ASSERT_TRUE(ParseAll(parent, Chunk("RIFF", Form("TEST", chunks))));
    EXPECT_TRUE(parent.FindSubChunk(FourCC('g', 'o', 'o', 'd'), 0, found));
    EXPECT_FALSE(parent.FindSubChunk(FourCC('l', 'i', 'a', 'r'), 0, found));
    EXPECT_FALSE(parent.FindSubChunk(0xFFFFFFFFu, 0, found));

    // A header that claims the largest size must not wrap the walk around.
    Bytes wraps;
    PutId(wraps, "wrap");
    Put32(wraps, 0xFFFFFFFFu);
    ASSERT_TRUE(ParseAll(parent, Chunk("RIFF", Form("TEST", Concat({wraps, Chunk("late", Samples(2))})))));
    EXPECT_FALSE(parent.FindSubChunk(FourCC('l', 'a', 't', 'e'), 0, found));

    // Seven trailing bytes are not a header.
    ASSERT_TRUE(ParseAll(parent, Chunk("RIFF", Form("TEST", Bytes{'d', 'a', 't', 'a', 0, 0, 0}))));
    EXPECT_FALSE(parent.FindSubChunk(FourCC('d', 'a', 't', 'a'), 0, found));
    // A RIFF chunk too small for its form type holds nothing.
    ASSERT_TRUE(ParseAll(parent, Chunk("RIFF", Bytes{'W', 'A'})));
    EXPECT_FALSE(parent.FindSubChunk(0, 0, found));
}

TEST(ReadWave, ReadsFormatAndWholeFramesAndSkipsChunksBeforeTheData)
{
    Bytes fact = Chunk("fact", Bytes{7, 0, 0, 0});
    Bytes file = Chunk("RIFF", Form("WAVE", Concat({Chunk("fmt ", Fmt(2, 22050, 16)), fact, Chunk("data", Samples(15))})));
    RiffChunk riff, samples;
    ASSERT_TRUE(ParseAll(riff, file));
    WaveFormat format;
    uint32_t frames = 99;
    ASSERT_TRUE(ReadWave(riff, format, samples, frames));
    EXPECT_EQ(format.formatTag, 1);
    EXPECT_EQ(format.channels, 2);
    EXPECT_EQ(format.samplesPerSec, 22050u);
    EXPECT_EQ(format.avgBytesPerSec, 88200u);
    EXPECT_EQ(format.blockAlign, 4);
    EXPECT_EQ(format.bitsPerSample, 16);
    EXPECT_EQ(format.extraSize, 0) << "a 16-byte format leaves the extra size 0";
    EXPECT_EQ(frames, 3u) << "15 bytes hold three whole 4-byte frames";
    EXPECT_EQ(Bytes(samples.data, samples.data + samples.size), Samples(15));
}

TEST(ReadWave, TakesAtMostEighteenFormatBytesAndZeroFillsShortOnes)
{
    struct Case {
        size_t fmtSize;
        uint16_t bits;
        uint16_t extra;
    } cases[] = {{18, 8, 0x1234}, {22, 8, 0x1234}, {14, 0, 0}};
    for (const Case& c : cases) {
        Bytes file = Chunk("RIFF", Form("WAVE", Concat({Chunk("fmt ", Fmt(1, 8000, 8, c.fmtSize, 0x1234)),
                                                        Chunk("data", Samples(9))})));
        RiffChunk riff, samples;
        ASSERT_TRUE(ParseAll(riff, file));
        WaveFormat format;
        uint32_t frames = 0;
        ASSERT_TRUE(ReadWave(riff, format, samples, frames)) << c.fmtSize;
        EXPECT_EQ(format.blockAlign, 1) << c.fmtSize;
        EXPECT_EQ(format.bitsPerSample, c.bits) << c.fmtSize;
        EXPECT_EQ(format.extraSize, c.extra) << c.fmtSize;
        EXPECT_EQ(frames, 9u);
    }
}

TEST(ReadWave, RefusesWhatIsNotAUsableWave)
{
    Bytes fmt = Chunk("fmt ", Fmt(1, 8000, 8));
    Bytes data = Chunk("data", Samples(4));
    Bytes noAlign = Fmt(1, 8000, 8);
    noAlign[12] = 0;
    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"not RIFF", Chunk("RIFX", Form("WAVE", Concat({fmt, data})))},
        {"not WAVE", Chunk("RIFF", Form("AVI ", Concat({fmt, data})))},
        {"no form type", Chunk("RIFF", Bytes{'W', 'A', 'V'})},
        {"no fmt", Chunk("RIFF", Form("WAVE", data))},
        {"no data", Chunk("RIFF", Form("WAVE", fmt))},
        {"block align 0", Chunk("RIFF", Form("WAVE", Concat({Chunk("fmt ", noAlign), data})))},
        {"fmt of 12 bytes", Chunk("RIFF", Form("WAVE", Concat({Chunk("fmt ", Fmt(1, 8000, 8, 12)), data})))},
        {"data longer than the file", Chunk("RIFF", Form("WAVE", Concat({fmt, Bytes(data.begin(), data.end() - 1)})))},
    };
    for (const Case& c : cases) {
        RiffChunk riff, samples;
        ASSERT_TRUE(ParseAll(riff, c.file)) << c.what;
        WaveFormat format;
        uint32_t frames = 77;
        EXPECT_FALSE(ReadWave(riff, format, samples, frames)) << c.what;
        EXPECT_EQ(samples.data, nullptr) << c.what;
        EXPECT_EQ(frames, 0u) << c.what;
    }
}

TEST(ReadWave, AHeaderThatUnderstatesTheFileLosesTheData)
{
    Bytes file = Chunk("RIFF", Form("WAVE", Concat({Chunk("fmt ", Fmt(1, 8000, 8)), Chunk("data", Samples(40))})));
    file[4] = static_cast<uint8_t>(file[4] - 20);  // the RIFF size now ends inside the samples
    RiffChunk riff, samples;
    ASSERT_NE(riff.Parse(file.data(), file.size()), nullptr);
    WaveFormat format;
    uint32_t frames = 0;
    EXPECT_FALSE(ReadWave(riff, format, samples, frames));
}

// The four effects the show ships, as the resource script builds them in.
TEST(ReadWave, TheShippedEffectsHaveTheirFormatsAndLengths)
{
    struct Effect {
        const char* file;
        uint32_t rate;
        double seconds;
        bool fact;
    } effects[] = {{"launch.wav", 8000, 1.6, false},
                   {"burst.wav", 16000, 2.25, false},
                   {"fountain.wav", 8000, 3.8, true},
                   {"crackle.wav", 8000, 2.0, true}};
    for (const Effect& e : effects) {
        Bytes file = ReadFile(std::string(FW_SOURCE_DIR) + "/resources/" + e.file);
        ASSERT_FALSE(file.empty()) << e.file;
        RiffChunk riff, samples, fact;
        ASSERT_TRUE(ParseAll(riff, file)) << e.file << ": the RIFF size must cover exactly the file";
        WaveFormat format;
        uint32_t frames = 0;
        ASSERT_TRUE(ReadWave(riff, format, samples, frames)) << e.file;
        EXPECT_EQ(format.formatTag, 1) << e.file;
        EXPECT_EQ(format.channels, 1) << e.file;
        EXPECT_EQ(format.bitsPerSample, 8) << e.file;
        EXPECT_EQ(format.blockAlign, 1) << e.file;
        EXPECT_EQ(format.samplesPerSec, e.rate) << e.file;
        EXPECT_NEAR(frames / static_cast<double>(e.rate), e.seconds, 0.05) << e.file;
        EXPECT_EQ(riff.FindSubChunk(FourCC('f', 'a', 'c', 't'), 0, fact), e.fact) << e.file;
        // Real sound, not silence or a square block: the samples swing both ways around 128.
        uint8_t lo = 255, hi = 0;
        for (uint32_t i = 0; i < samples.size; ++i) {
            lo = samples.data[i] < lo ? samples.data[i] : lo;
            hi = samples.data[i] > hi ? samples.data[i] : hi;
        }
        EXPECT_LT(lo, 64) << e.file;
        EXPECT_GT(hi, 192) << e.file;
    }
}
