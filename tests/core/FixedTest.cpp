#include <gtest/gtest.h>

#include "engine/Angles.h"
#include "engine/Fixed.h"

TEST(Fixed, ConversionsTruncateTowardZero)
{
    EXPECT_EQ(FixedFromInt(1), 32768);
    EXPECT_EQ(FixedFromInt(-1), -32768);
    EXPECT_EQ(FixedFromReal(1.9999999), 65535);
    EXPECT_EQ(FixedFromReal(-0.5 / 32768), 0);
    EXPECT_EQ(FixedFromReal(-1.5), -49152);
    EXPECT_EQ(FixedToWhole(FixedFromReal(-1.5)), -1);
    EXPECT_EQ(FixedToWhole(FixedFromReal(249.99)), 249);
    EXPECT_EQ(FixedFromReal(0.033), 1081);  // 33 ms
    EXPECT_EQ(FixedFromReal(0.034), 1114);
    EXPECT_EQ(FixedFromReal(0.001), 32);
}

TEST(Fixed, MultiplyRoundsTowardMinusInfinityAndDivideTruncates)
{
    EXPECT_EQ(FixedMul(-1, 16384), -1);
    EXPECT_EQ(FixedMul(1, 16384), 0);
    EXPECT_EQ(FixedMul(FixedFromInt(-100), 16384), FixedFromInt(-50));
    EXPECT_EQ(FixedMul(FixedFromInt(300), FixedFromInt(300)), FixedFromInt(90000 - 65536 * 2));  // wraps
    EXPECT_EQ(FixedDiv(FixedFromInt(-100), FixedFromInt(-2)), FixedFromInt(50));
    EXPECT_EQ(FixedDiv(-3, FixedFromInt(2)), -1);  // -1.5 raw truncates to -1
    EXPECT_EQ(FixedDiv(5, 0), 0);
}

TEST(Angles, TableHoldsTheTellingEntries)
{
    const struct { int degrees; Fixed value; } expected[] = {
        {0, 0},        {1, 571},       {30, 16383},    {45, 23170},   {60, 28377}, {89, 32763},  {90, 32768},
        {91, 32763},   {150, 16383},   {180, 0},       {210, -16384}, {270, -32768}, {330, -16384}, {359, -571},
    };
    for (const auto& e : expected) EXPECT_EQ(AngleTableEntry(e.degrees), e.value) << e.degrees;
}

TEST(Angles, NegativeAnglesGoThroughTheNegationRule)
{
    EXPECT_EQ(SinDeg(-30), -16383);
    EXPECT_EQ(SinDeg(-150), -16383);
    EXPECT_EQ(SinDeg(210), -16384);
    EXPECT_EQ(SinDeg(390), SinDeg(30));
    EXPECT_EQ(CosDeg(-60), CosDeg(60));
    EXPECT_EQ(CosDeg(0), 32768);
    EXPECT_EQ(CosDeg(90), 0);
    // 2147483648 mod 360 is 128: the most negative angle follows the same rule, inside the table.
    EXPECT_EQ(SinDeg(INT32_MIN), -AngleTableEntry(128));
    EXPECT_EQ(CosDeg(INT32_MIN), AngleTableEntry(218));
    EXPECT_EQ(CosDeg(INT32_MAX), AngleTableEntry(static_cast<int>((2147483647LL + 90) % 360)));
}
