#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ScriptCheck.h"

namespace {
// "column: message" of the first finding in one script, or nothing when it has none.
std::string FirstFinding(const std::string& text)
{
    std::vector<ScriptFinding> findings;
    CheckScript(text, 1, findings);
    return findings.empty() ? "" : std::to_string(findings[0].column) + ": " + findings[0].message;
}
}  // namespace

TEST(ScriptCheck, AcceptsWellFormedScripts)
{
    // A child starts with nothing open, and the parent's loop is still open after the block.
    for (const char* text : {"R cFFFF00 p0 d %33s[%90r v0 l20~40 gwm T2 n] gwm t uv<250 p1 l100~150 "
                             "s[R a1000,0~360,0~360 l75~120 gwm t n] n",
                             "v0 v5,90 a5,90 a1,2,3 l3 t n d t uz>5 s[l60 a1,2,6* t n]", "", "l3 s[l2 t n] n",
                             "a5,-20~-10"})
        EXPECT_EQ(FirstFinding(text), "") << text;
}

TEST(ScriptCheck, PointsAtEachFaultWithItsColumn)
{
    struct Case {
        std::string text;
        const char* finding;
    } cases[] = {
        {"gwm x t", "5: unknown command 'x'"},           {"t\r", "2: unknown command carriage return"},
        {std::string("t\0t", 3), "2: NUL byte"},         {"t a500", "3: a needs a speed"},
        {"v5 t", "1: v with one operand"},               {"v1~2 t", "1: v with one operand"},
        {"t sx", "3: s must be followed by ["},          {"c12345G", "7: colour digit 'G'"},
        {"t c12", "3: c needs six"},                     {"T0", "1: T needs at least 1"},
        {"uq<5", "1: u needs an axis"},                  {"d uv=5", "3: u needs a comparison"},
        {"%50 p0", "1: % applies to the blank"},         {"l2 l3 p0 n t", "4: l inside an open l loop"},
        {"d t l3 n uv<5", "5: l inside an open d block"}, {"l2 d n", "4: d inside an open l loop"},
        {"p0 n", "4: n without an open l loop"},         {"t uy>5", "3: u without an open"},
        {"d t n", "5: n closes a d block"},              {"l0 gwm t n", "1: l with a count below 1"},
        {"l3 p0 t", "1: l is never closed"},             {"l3 s[n] n", "6: n without an open l loop"},
        {"s[t s[t] ", "2: [ is never closed"},           {"t] t", "2: ] without a matching s["},
        {"l40~20 t n", "2: reversed range 40~20"},       {"a5,-10~-20", "4: reversed range"},
    };
    for (const Case& c : cases) EXPECT_EQ(FirstFinding(c.text).find(c.finding), 0u) << FirstFinding(c.text);
}
