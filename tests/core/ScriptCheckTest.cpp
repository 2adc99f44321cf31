#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/fwsim/ScriptCheck.h"

namespace {
// "column: message" of every finding in one script, for compact expectations.
std::vector<std::string> Check(const std::string& text)
{
    std::vector<ScriptFinding> findings;
    CheckScript(text, 1, findings);
    std::vector<std::string> out;
    for (const ScriptFinding& f : findings) out.push_back(std::to_string(f.column) + ": " + f.message);
    return out;
}

bool Mentions(const std::vector<std::string>& findings, const std::string& prefix)
{
    for (const std::string& f : findings)
        if (f.compare(0, prefix.size(), prefix) == 0) return true;
    return false;
}
}  // namespace

TEST(ScriptCheck, AcceptsWellFormedScripts)
{
    EXPECT_TRUE(Check("R cFFFF00 p0 d %33s[%90r v0 l20~40 gwm T2 n] gwm t uv<250 p1 l100~150 s[R a1000,0~360,0~360 "
                      "l75~120 gwm t n] n").empty());
    EXPECT_TRUE(Check("v0 v5,90 a5,90 a1,2,3 l3 t n d t uz>5 s[l60 a1,2,6* t n]").empty());
    EXPECT_TRUE(Check("").empty());
}

TEST(ScriptCheck, PointsAtUnknownCharactersAndCarriageReturns)
{
    std::vector<std::string> f = Check("gwm x t\r");
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0], "5: unknown command 'x'");
    EXPECT_TRUE(Mentions(f, "8: unknown command carriage return"));
    EXPECT_TRUE(Mentions(Check("t \x01"), "3: unknown command character 0x01"));
    EXPECT_TRUE(Mentions(Check(std::string("t\0t", 3)), "2: NUL byte"));
}

TEST(ScriptCheck, FindsMalformedVelocitySpawnAndColourCommands)
{
    EXPECT_TRUE(Mentions(Check("t a500"), "3: a needs a speed"));
    EXPECT_TRUE(Mentions(Check("v5 t"), "1: v with one operand"));
    EXPECT_TRUE(Mentions(Check("v1~2 t"), "1: v with one operand"));
    EXPECT_TRUE(Mentions(Check("t sx"), "3: s must be followed by ["));
    EXPECT_TRUE(Mentions(Check("c12345G"), "7: colour digit 'G'"));
    EXPECT_TRUE(Mentions(Check("t c12"), "3: c needs six"));
    EXPECT_TRUE(Mentions(Check("T0"), "1: T needs at least 1"));
    EXPECT_TRUE(Mentions(Check("uq<5"), "1: u needs an axis"));
    EXPECT_TRUE(Mentions(Check("d uv=5"), "3: u needs a comparison"));
    EXPECT_TRUE(Mentions(Check("%50 p0"), "1: % applies to the blank"));
}

TEST(ScriptCheck, FindsLoopsThatNestOrWereNeverOpened)
{
    EXPECT_TRUE(Mentions(Check("l2 l3 p0 n t"), "4: l inside an open l loop"));
    EXPECT_TRUE(Mentions(Check("d t l3 n uv<5"), "5: l inside an open d block"));
    EXPECT_TRUE(Mentions(Check("l2 d n"), "4: d inside an open l loop"));
    EXPECT_TRUE(Mentions(Check("p0 n"), "4: n without an open l loop"));
    EXPECT_TRUE(Mentions(Check("t uy>5"), "3: u without an open"));
    EXPECT_TRUE(Mentions(Check("d t n"), "5: n closes a d block"));
    EXPECT_TRUE(Mentions(Check("l0 gwm t n"), "1: l with a count below 1"));
    EXPECT_TRUE(Mentions(Check("l3 p0 t"), "1: l is never closed"));

    // A child starts with nothing open, whatever its parent has open, and the parent's loop is still
    // open after the block.
    EXPECT_TRUE(Check("l3 s[l2 t n] n").empty());
    EXPECT_TRUE(Mentions(Check("l3 s[n] n"), "6: n without an open l loop"));
}

TEST(ScriptCheck, FindsUnbalancedBracketsAndReversedRanges)
{
    EXPECT_TRUE(Mentions(Check("s[t s[t] "), "2: [ is never closed"));
    EXPECT_TRUE(Mentions(Check("t] t"), "2: ] without a matching s["));
    EXPECT_TRUE(Mentions(Check("l40~20 t n"), "2: reversed range 40~20"));
    EXPECT_TRUE(Mentions(Check("a5,-10~-20"), "4: reversed range"));
    EXPECT_TRUE(Check("a5,-20~-10").empty());
}

TEST(ScriptCheck, NumbersLinesOfAFile)
{
    std::vector<ScriptFinding> f = CheckScripts({"gwm t", "t", "t q"});
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].line, 3u);
    EXPECT_EQ(f[0].column, 3u);
}
