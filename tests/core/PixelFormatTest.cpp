#include <gtest/gtest.h>

#include "engine/DrawTarget.h"
#include "engine/PixelFormat.h"

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
}
