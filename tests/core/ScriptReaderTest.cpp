#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/Random.h"
#include "engine/ScriptReader.h"
#include "engine/ScriptTable.h"

namespace {
// Texts live in exact-size heap copies, so the sanitizers catch any read past the NUL.
const char* Text(const char* text)
{
    static ScriptTable texts;
    return texts.Script(texts.Add(text));
}

std::string Rest(const ScriptReader& in) { return std::string(in.pc); }
}  // namespace

TEST(ScriptReader, ReadsNumbersWithSignAndStopsAtTheFirstNonDigit)
{
    ScriptReader in(Text("-125,7x"));
    EXPECT_EQ(in.Number(0), -125);
    EXPECT_EQ(Rest(in), ",7x");

    ScriptReader none(Text("x"));
    EXPECT_EQ(none.Number(0), 0);
    EXPECT_EQ(Rest(none), "x");

    ScriptReader minus(Text("-x"));
    EXPECT_EQ(minus.Number(0), 0);
    EXPECT_EQ(Rest(minus), "x");

    // 32-bit wrap, not saturation.
    ScriptReader big(Text("4294967297"));
    EXPECT_EQ(big.Number(0), 1);
}

TEST(ScriptReader, MultiplierScalesNumbersAndBothRangeBoundsByTheLoopCount)
{
    ScriptReader plain(Text("6* "));
    EXPECT_EQ(plain.Number(7), 42);
    EXPECT_EQ(Rest(plain), " ");

    ScriptReader fresh(Text("6*"));
    EXPECT_EQ(fresh.Number(0), 0);

    SeedRandom(3);
    for (int i = 0; i < 200; ++i) {
        ScriptReader range(Text("2~4*"));
        int32_t v = range.Number(10);
        ASSERT_GE(v, 20);
        ASSERT_LE(v, 40);
        ASSERT_EQ(*range.pc, '\0');
    }
}

TEST(ScriptReader, HexBytesCountNonDigitsAsZeroAndNeverConsumeTheNul)
{
    ScriptReader in(Text("7fA0G1"));
    EXPECT_EQ(in.HexByte(), 0x7Fu);
    EXPECT_EQ(in.HexByte(), 0xA0u);
    EXPECT_EQ(in.HexByte(), 0x01u);

    ScriptReader cut(Text("C"));
    EXPECT_EQ(cut.HexByte(), 0xC0u);
    EXPECT_EQ(cut.HexByte(), 0u);
    EXPECT_EQ(*cut.pc, '\0');
}

TEST(ScriptReader, SkipsNestedBlocksAndStopsOnTheNulOfAnUnclosedOne)
{
    ScriptReader in(Text("a[b[]c]d]rest"));
    in.SkipBlock();
    EXPECT_EQ(Rest(in), "rest");

    ScriptReader open(Text("a[b]"));
    open.SkipBlock();
    EXPECT_EQ(*open.pc, '\0');
}

TEST(ScriptReader, SkipsOneCommandWithItsOperands)
{
    struct Case {
        const char* text;
        const char* rest;
    } cases[] = {
        {"p12x", "x"},          {"T3x", "x"},           {"l5~9x", "x"},       {"%50p0", "p0"},
        {"a1,2,3,4", ",4"},     {"v5 x", " x"},         {"v5,6x", "x"},       {"c123456x", "x"},
        {"s[a[b]]x", "x"},      {"sx", "x"},            {"uv<250x", "x"},     {"gx", "x"},
        {"]x", "]x"},           {"", ""},               {"c12", ""},          {"s[ab", ""},
        {"u", ""},              {"uv", ""},             {"a5,", ""},          {"%", ""},
    };
    for (const Case& c : cases) {
        ScriptReader in(Text(c.text));
        in.SkipCommand(0);
        EXPECT_EQ(Rest(in), c.rest) << c.text;
    }
}

