#include <gtest/gtest.h>

#include "engine/Angles.h"
#include "engine/Fixed.h"

TEST(Fixed, ConversionsTruncateMultiplyFloorsAndDivideTruncates)
{
    const struct { Fixed got, want; } cases[] = {
        {FixedFromReal(1.9999999), 65535},
        {FixedFromReal(-0.5 / 32768), 0},
        {FixedFromReal(-1.5), -49152},
        {FixedToWhole(FixedFromReal(-1.5)), -1},
        {FixedMul(-1, 16384), -1},
        {FixedMul(1, 16384), 0},
        {FixedMul(FixedFromInt(300), FixedFromInt(300)), FixedFromInt(90000 - 65536 * 2)},  // wraps
        {FixedDiv(-3, FixedFromInt(2)), -1},  // -1.5 raw truncates to -1
        {FixedDiv(5, 0), 0},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) EXPECT_EQ(cases[i].got, cases[i].want) << i;
}

TEST(Angles, TableAndNegativeAnglesGoThroughTheNegationRule)
{
    const struct { int degrees; Fixed value; } expected[] = {
        {1, 571}, {30, 16383}, {89, 32763}, {90, 32768}, {91, 32763}, {210, -16384}, {359, -571},
    };
    for (const auto& e : expected) EXPECT_EQ(AngleTableEntry(e.degrees), e.value) << e.degrees;
    EXPECT_EQ(SinDeg(-30), -16383);
    EXPECT_EQ(SinDeg(390), SinDeg(30));
    EXPECT_EQ(CosDeg(90), 0);
    // 2147483648 mod 360 is 128: the most negative angle follows the same rule, inside the table.
    EXPECT_EQ(SinDeg(INT32_MIN), -AngleTableEntry(128));
    EXPECT_EQ(CosDeg(INT32_MIN), AngleTableEntry(218));
}
