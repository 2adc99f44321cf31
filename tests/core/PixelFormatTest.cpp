#include <gtest/gtest.h>

#include "render/PixelFormat.h"

namespace {
PixelFormat Format(uint32_t r, uint32_t g, uint32_t b)
{
    PixelFormat f;
    f.SetMasks(r, g, b);
    return f;
}
uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
}  // namespace

TEST(PixelFormat, MaskAnalysisUsesTheLowestRunOnly)
{
    ChannelFormat c = AnalyseMask(0x1C);
    EXPECT_EQ(c.shift, 2u);
    EXPECT_EQ(c.maxValue, 7u);
    EXPECT_EQ(c.highBit, 0x10u);
    ChannelFormat gap = AnalyseMask(0xF3);  // run 0..1, then a gap
    EXPECT_EQ(gap.shift, 0u);
    EXPECT_EQ(gap.maxValue, 3u);
    EXPECT_EQ(gap.highBit, 2u);
    ChannelFormat top = AnalyseMask(0xFF000000u);
    EXPECT_EQ(top.shift, 24u);
    EXPECT_EQ(top.maxValue, 255u);
    EXPECT_EQ(top.highBit, 0x80000000u);
}

TEST(PixelFormat, ThreeThreeTwo)
{
    PixelFormat f = Format(0xE0, 0x1C, 0x03);
    EXPECT_EQ(f.FromRgb(255, 192, 0), 0xF4u);
    EXPECT_EQ(f.ToColorRef(0xF4), Rgb(255, 182, 0));
    EXPECT_EQ(f.FromRgb(128, 128, 128), 0x6Du);
    EXPECT_EQ(f.ToColorRef(0x6D), Rgb(109, 109, 85));
    EXPECT_EQ(f.colorWhite, 0xFFu);
    EXPECT_EQ(f.Half(f.colorWhite), 0x6Du);
    EXPECT_EQ(f.colorCyan, 0x1Fu);
    EXPECT_EQ(f.colorYellow, 0xFCu);
    EXPECT_EQ(f.colorDarkBlue, 0u);
    EXPECT_EQ(f.Half(f.colorDarkBlue), 0u);  // the skyline sky is black on GDI
}

TEST(PixelFormat, EightEightEight)
{
    PixelFormat f = Format(0xFF0000, 0xFF00, 0xFF);
    EXPECT_EQ(f.FromRgb(0x12, 0x34, 0x56), 0x123456u);
    EXPECT_EQ(f.ToColorRef(0x123456), 0x563412u);
    EXPECT_EQ(f.Half(f.colorWhite), 0x7F7F7Fu);
    EXPECT_EQ(f.colorDarkBlue, 63u);
    EXPECT_EQ(f.AddSaturated(0x808080, 0x901000), 0xFF9080u);
    EXPECT_EQ(f.AddSaturated(f.colorRed, f.colorBlue), 0xFF00FFu);
    EXPECT_EQ(f.AddSaturated(0xFF1234, 0x40FF00), 0xFFFF34u);
    Pixel v = 0xFF;
    int steps = 0;
    while (v != 0) {
        v = f.Half(v);
        ++steps;
    }
    EXPECT_EQ(steps, 8);
    EXPECT_EQ(f.Half(0), 0u);
}

TEST(PixelFormat, FiveSixFive)
{
    PixelFormat f = Format(0xF800, 0x7E0, 0x1F);
    Pixel grey = f.FromRgb(128, 128, 128);
    EXPECT_EQ(grey, (15u << 11) | (31u << 5) | 15u);
    EXPECT_EQ(f.ToColorRef(grey), Rgb(123, 125, 123));
    EXPECT_EQ(f.Half(f.colorWhite), grey);
    EXPECT_EQ(f.AddSaturated(f.colorWhite, grey), f.colorWhite);
}

TEST(PixelFormat, NamedColoursAreZeroUntilAFormatIsInstalled)
{
    PixelFormat f;
    EXPECT_EQ(f.colorWhite, 0u);
    EXPECT_EQ(f.FromRgb(255, 255, 255), 0u);
}
