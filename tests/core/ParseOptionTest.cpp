#include <gtest/gtest.h>

#include <string>

#include "app/ParseOption.h"
#include "settings/DecimalText.h"

TEST(ParseOption, FindsTheOptionAfterBlanksAndASlashOrDashAndItsActionInEitherCase)
{
    const struct {
        const char* text;
        char option;
        const char* rest;
        int action;
    } cases[] = {
        {"", '\0', "", ConfigureAndRun},
        {"C", '\0', "C", ConfigureAndRun},  // no dash or slash: no option
        {"/s", 's', "", RunScreenSaver},
        {"-S", 'S', "", RunScreenSaver},
        {" \t\r\n\v\f/s trailing", 's', " trailing", RunScreenSaver},
        {"/c:1234", 'c', ":1234", ConfigureScreenSaver},
        {"/P 5678", 'P', " 5678", RunPreview},
        {"/", '\0', "", ConfigureAndRun},
        {"/?", '?', "", RejectOption},
        {"/ ", ' ', "", RejectOption},  // a blank is an option character too
    };
    for (const auto& c : cases) {
        ParsedOption p = ParseOption(c.text);
        EXPECT_EQ(p.option, c.option) << c.text;
        EXPECT_EQ(std::string(p.rest), c.rest) << c.text;
        EXPECT_EQ(static_cast<int>(ActionFor(p.option)), c.action) << c.text;
    }
    EXPECT_EQ(ParseOption(nullptr).option, '\0');
}

TEST(ParseOption, DecimalNumbersOfTheCommandLine)
{
    EXPECT_EQ(ParseDecimal(" 5678"), 5678);
    EXPECT_EQ(ParseDecimal("\t-12x"), -12);
    EXPECT_EQ(ParseDecimal("junk"), 0);
    EXPECT_EQ(ParseDecimal("4294967295"), -1);  // wraps like the 32-bit handle it names
    EXPECT_EQ(ParseWindowNumber(":1234"), 1234);
    EXPECT_EQ(ParseWindowNumber(" 1234"), 1234);
    EXPECT_EQ(ParseWindowNumber("::12"), 0);
}
