#include <gtest/gtest.h>

#include <vector>

#include "engine/DrawTarget.h"
#include "engine/PixelFormat.h"

TEST(PixelFormat, MaskAnalysisUsesTheLowestRunOnly)
{
    // mask, shift, max value, high bit; 0xF3 has a run at bits 0..1, then a gap
    const uint32_t cases[][4] = {{0x1C, 2, 7, 0x10}, {0xF3, 0, 3, 2}, {0xFF000000u, 24, 255, 0x80000000u}};
    for (const auto& c : cases) {
        ChannelFormat channel = AnalyseMask(c[0]);
        EXPECT_EQ((std::vector<uint32_t>{channel.shift, channel.maxValue, channel.highBit}),
                  (std::vector<uint32_t>{c[1], c[2], c[3]})) << std::hex << c[0];
    }
}

TEST(PixelFormat, ConvertsHalvesAndAddsInEachLayout)
{
    // Masks; a grey or colour from RGB, the pixel and what that pixel shows; half of white; the sky,
    // blue at one eighth (black in 3-3-2).
    const struct {
        uint32_t masks[3], rgb[3];
        Pixel pixel;
        ColorRef shown;
        Pixel halfWhite, sky;
    } formats[] = {
        {{0xE0, 0x1C, 0x03}, {255, 192, 0}, 0xF4, MakeColorRef(255, 182, 0), 0x6D, 0},
        {{0xFF0000, 0xFF00, 0xFF}, {0x12, 0x34, 0x56}, 0x123456, MakeColorRef(0x12, 0x34, 0x56), 0x7F7F7F, 31},
        {{0xF800, 0x7E0, 0x1F}, {128, 128, 128}, (15u << 11) | (31u << 5) | 15u, MakeColorRef(123, 125, 123),
         (15u << 11) | (31u << 5) | 15u, 3},
    };
    for (const auto& f : formats) {
        PixelFormat format;
        format.SetMasks(f.masks[0], f.masks[1], f.masks[2]);
        EXPECT_EQ(format.FromRgb(f.rgb[0], f.rgb[1], f.rgb[2]), f.pixel) << std::hex << f.masks[0];
        EXPECT_EQ(format.ToColorRef(f.pixel), f.shown) << std::hex << f.masks[0];
        EXPECT_EQ(format.Half(format.colorWhite), f.halfWhite) << std::hex << f.masks[0];
        EXPECT_EQ(format.Half(format.colorDarkBlue), f.sky) << std::hex << f.masks[0];
        EXPECT_EQ(format.AddSaturated(format.colorWhite, f.pixel), format.colorWhite);
    }
    PixelFormat f;
    f.SetMasks(0xE0, 0x1C, 0x03);
    EXPECT_EQ(f.ToColorRef(0x6D), MakeColorRef(109, 109, 85));
    EXPECT_EQ(f.colorCyan | f.colorYellow << 8, 0xFC1Fu);
    f.SetMasks(0xFF0000, 0xFF00, 0xFF);
    EXPECT_EQ(f.AddSaturated(0x808080, 0x901000), 0xFF9080u);
    EXPECT_EQ(f.AddSaturated(0xFF1234, 0x40FF00), 0xFFFF34u);
    EXPECT_EQ(f.Half(f.Half(0x010203)), 0u);
}
