#include <gtest/gtest.h>

#include "engine/DrawTarget.h"
#include "engine/PixelFormat.h"

namespace {
PixelFormat Format(uint32_t r, uint32_t g, uint32_t b)
{
    PixelFormat f;
    f.SetMasks(r, g, b);
    return f;
}
}  // namespace

TEST(PixelFormat, MaskAnalysisUsesTheLowestRunOnly)
{
    // mask, shift, max value, high bit; 0xF3 has a run at bits 0..1, then a gap
    const uint32_t cases[][4] = {{0x1C, 2, 7, 0x10}, {0xF3, 0, 3, 2}, {0xFF000000u, 24, 255, 0x80000000u}};
    for (const auto& c : cases) {
        ChannelFormat channel = AnalyseMask(c[0]);
        EXPECT_EQ(channel.shift, c[1]) << std::hex << c[0];
        EXPECT_EQ(channel.maxValue, c[2]) << std::hex << c[0];
        EXPECT_EQ(channel.highBit, c[3]) << std::hex << c[0];
    }
}

TEST(PixelFormat, ThreeThreeTwo)
{
    PixelFormat f = Format(0xE0, 0x1C, 0x03);
    EXPECT_EQ(f.FromRgb(255, 192, 0), 0xF4u);
    EXPECT_EQ(f.ToColorRef(0xF4), MakeColorRef(255, 182, 0));
    EXPECT_EQ(f.Half(f.colorWhite), 0x6Du);
    EXPECT_EQ(f.ToColorRef(0x6D), MakeColorRef(109, 109, 85));
    EXPECT_EQ(f.colorCyan | f.colorYellow << 8, 0xFC1Fu);
    EXPECT_EQ(f.Half(f.colorDarkBlue), 0u);  // the skyline sky is black on GDI
}

TEST(PixelFormat, EightEightEightAndFiveSixFive)
{
    PixelFormat f = Format(0xFF0000, 0xFF00, 0xFF);
    EXPECT_EQ(f.FromRgb(0x12, 0x34, 0x56), 0x123456u);
    EXPECT_EQ(f.ToColorRef(0x123456), MakeColorRef(0x12, 0x34, 0x56));
    EXPECT_EQ(f.Half(f.colorWhite), 0x7F7F7Fu);
    EXPECT_EQ(f.colorDarkBlue, 63u);
    EXPECT_EQ(f.AddSaturated(0x808080, 0x901000), 0xFF9080u);
    EXPECT_EQ(f.AddSaturated(0xFF1234, 0x40FF00), 0xFFFF34u);
    EXPECT_EQ(f.Half(f.Half(0x010203)), 0u);

    PixelFormat g = Format(0xF800, 0x7E0, 0x1F);
    Pixel grey = g.FromRgb(128, 128, 128);
    EXPECT_EQ(grey, (15u << 11) | (31u << 5) | 15u);
    EXPECT_EQ(g.ToColorRef(grey), MakeColorRef(123, 125, 123));
    EXPECT_EQ(g.Half(g.colorWhite), grey);
    EXPECT_EQ(g.AddSaturated(g.colorWhite, grey), g.colorWhite);
}
