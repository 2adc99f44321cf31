#include <gtest/gtest.h>

#include <string>

#include "engine/ScriptReader.h"
#include "engine/ScriptTable.h"

namespace {
// Texts live in exact-size heap copies, so the sanitizers catch any read past the NUL.
ScriptReader Reader(const char* text)
{
    static ScriptTable texts;
    return ScriptReader(texts.Script(texts.Add(text)));
}
}  // namespace

TEST(ScriptReader, ReadsSignedNumbersWithTheLoopMultiplier)
{
    struct Case {
        const char* text;
        uint32_t loopCount;
        int32_t value;
        const char* rest;
    } cases[] = {
        {"-125,7x", 0, -125, ",7x"}, {"x", 0, 0, "x"}, {"-x", 0, 0, "x"},
        {"4294967297", 0, 1, ""},  // wraps at 32 bits instead of saturating
        {"6* ", 7, 42, " "},       {"6*", 0, 0, ""},
        {"3~3* ", 10, 30, " "},  // the multiplier scales both bounds of a range
    };
    for (const Case& c : cases) {
        ScriptReader in = Reader(c.text);
        EXPECT_EQ(in.Number(c.loopCount), c.value) << c.text;
        EXPECT_STREQ(in.pc, c.rest) << c.text;
    }
}

TEST(ScriptReader, SkipsNestedBlocksAndSingleCommandsButNeverTheNul)
{
    struct Case {
        const char* text;
        const char* rest;
    } cases[] = {
        {"p12x", "x"},    {"l5~9x", "x"}, {"%50p0", "p0"},  {"a1,2,3,4", ",4"}, {"v5 x", " x"}, {"a5xy", "xy"},
        {"v5,6x", "x"},   {"c123456x", "x"}, {"s[a[b]]x", "x"}, {"sx", "x"},     {"uv<250x", "x"},
        {"gx", "x"},      {"]x", "]x"},   {"", ""},         {"c12", ""},        {"s[ab", ""},
        {"uv", ""},       {"a5,", ""},    {"%", ""},
    };
    for (const Case& c : cases) {
        ScriptReader in = Reader(c.text);
        in.SkipCommand(0);
        EXPECT_STREQ(in.pc, c.rest) << c.text;
    }
}
