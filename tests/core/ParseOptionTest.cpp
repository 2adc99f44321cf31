#include <gtest/gtest.h>

#include <string>

#include "app/ParseOption.h"
#include "settings/DecimalText.h"

TEST(ParseOption, FindsTheOptionAfterBlanksAndASlashOrDash)
{
    const struct { const char* text; char option; const char* rest; } cases[] = {
        {"", '\0', ""},
        {"   ", '\0', "   "},
        {"hello", '\0', "hello"},
        {"/s", 's', ""},
        {"-S", 'S', ""},
        {" \t\r\n\v\f/s trailing", 's', " trailing"},
        {"/c:1234", 'c', ":1234"},
        {"/p 5678", 'p', " 5678"},
        {"/", '\0', ""},
        {"  -", '\0', ""},
        {"/?", '?', ""},
    };
    for (const auto& c : cases) {
        ParsedOption p = ParseOption(c.text);
        EXPECT_EQ(p.option, c.option) << c.text;
        EXPECT_EQ(std::string(p.rest), c.rest) << c.text;
    }
    EXPECT_EQ(ParseOption(nullptr).option, '\0');
}

TEST(ParseOption, DecimalNumbersOfTheCommandLine)
{
    EXPECT_EQ(ParseDecimal(" 5678"), 5678);
    EXPECT_EQ(ParseDecimal("\t-12x"), -12);
    EXPECT_EQ(ParseDecimal("+7"), 7);
    EXPECT_EQ(ParseDecimal("junk"), 0);
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("4294967295"), -1);  // wraps like the 32-bit handle it names
    EXPECT_EQ(ParseWindowNumber(":1234"), 1234);
    EXPECT_EQ(ParseWindowNumber(" 1234"), 1234);
    EXPECT_EQ(ParseWindowNumber("::12"), 0);
    EXPECT_EQ(ParseWindowNumber(""), 0);
}

TEST(ParseOption, OptionTableIgnoresCase)
{
    EXPECT_EQ(ActionFor(ParseOption("").option), ConfigureAndRun);
    EXPECT_EQ(ActionFor(ParseOption("  not an option").option), ConfigureAndRun);
    EXPECT_EQ(ActionFor(ParseOption("/c:1234").option), ConfigureScreenSaver);
    EXPECT_EQ(ActionFor(ParseOption("C").option), ConfigureAndRun);  // no dash or slash: no option
    EXPECT_EQ(ActionFor(ParseOption("-C").option), ConfigureScreenSaver);
    EXPECT_EQ(ActionFor(ParseOption("/P 12").option), RunPreview);
    EXPECT_EQ(ActionFor(ParseOption("  -s junk").option), RunScreenSaver);
    EXPECT_EQ(ActionFor(ParseOption("/S").option), RunScreenSaver);
    EXPECT_EQ(ActionFor(ParseOption("/x").option), RejectOption);
    EXPECT_EQ(ActionFor(ParseOption("/?").option), RejectOption);
    EXPECT_EQ(ActionFor(ParseOption("/ ").option), RejectOption);  // a blank is an option character too
}
