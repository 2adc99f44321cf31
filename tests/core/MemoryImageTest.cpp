#include <gtest/gtest.h>

#include "engine/MemoryImage.h"
#include "tests/DrawRecorder.h"

namespace {
// Fills an image with a different word per pixel, so any misplaced copy shows.
void Pattern(MemoryImage& image)
{
    for (uint32_t y = 0; y < image.Height(); ++y) {
        for (uint32_t x = 0; x < image.Width(); ++x) image.SetWord(x, y, (y << 12) | x | 0x800000u);
    }
}
}  // namespace

TEST(MemoryImage, ClipsLikeGdiAndRefusesSizesItCannotAddress)
{
    MemoryImage image;
    ASSERT_TRUE(image.Create(5, 4));
    for (int32_t p : {-1, 5, INT32_MIN, INT32_MAX}) {
        image.SetPixel(p, 0, 0xFFFFFF);
        image.SetPixel(0, p, 0xFFFFFF);
        EXPECT_EQ(image.GetPixel(p, 0), InvalidColor);
        EXPECT_EQ(image.GetPixel(0, p), InvalidColor);
    }
    image.FillRect(INT32_MIN, 2, 2, INT32_MAX, MakeColorRef(0, 0, 9));
    image.FillRect(3, 1, 2, 4, 0xFFFFFF);  // inverted: nothing
    image.FillRect(4, 0, 4, 4, 0xFFFFFF);  // empty: nothing
    image.FillRect(3, 0, 9, 1, MakeColorRef(0, 0, 7));
    for (uint32_t y = 0; y < 4; ++y) {
        for (uint32_t x = 0; x < 5; ++x)
            EXPECT_EQ(image.Word(x, y), (x < 2 && y >= 2) ? 9u : (x >= 3 && y == 0) ? 7u : 0u) << x << "," << y;
    }

    EXPECT_FALSE(image.Create(0x20000000u, 1));
    EXPECT_EQ(image.Width(), 0u);
    EXPECT_TRUE(image.Create(0, 7));
    image.FillRect(0, 0, 10, 10, 0xFFFFFF);
    image.SetPixel(0, 0, 0xFFFFFF);
    EXPECT_EQ(image.GetPixel(0, 0), InvalidColor);
}

TEST(MemoryImage, BlockCopiesAreClippedToSourceAndTarget)
{
    MemoryImage source, target;
    ASSERT_TRUE(source.Create(6, 5));
    ASSERT_TRUE(target.Create(6, 5));
    Pattern(source);
    // Starts left of and above the source, ends past the target's right edge: only source (0, 0..2)
    // lands, at (5, 2..4).
    target.CopyBlock(3, 1, 5, 6, source, -2, -1);
    target.CopyBlock(0, 0, 3, 3, source, 6, 0);  // entirely outside the source
    target.CopyBlock(0, 0, -3, 3, source, 0, 0);
    for (uint32_t y = 0; y < 5; ++y) {
        for (uint32_t x = 0; x < 6; ++x) {
            EXPECT_EQ(target.Word(x, y), x >= 5 && y >= 2 ? source.Word(x - 5, y - 2) : 0u) << x << "," << y;
        }
    }
    target.CopyBlock(-1, -1, 3, 3, source, 2, 2);
    EXPECT_EQ(target.Word(0, 0), source.Word(3, 3));
    EXPECT_EQ(target.Word(1, 1), source.Word(4, 4));
    EXPECT_EQ(target.Word(2, 0), 0u);
    target.CopyBlock(4, -2, 1, 3, source, 4, 0);  // above the target only
    EXPECT_EQ(target.Word(4, 0), source.Word(4, 2));
    EXPECT_EQ(target.Word(4, 1), 0u);
    target.CopyBlock(0, 2, 2, 9, source, 0, 3);  // past the source's bottom
    EXPECT_EQ(target.Word(1, 3), source.Word(1, 4));
    EXPECT_EQ(target.Word(1, 4), 0u);

    // From another kind of target the block is read pixel by pixel and clipped by the target.
    DrawRecorder reader(&source);
    ASSERT_TRUE(target.Create(6, 5));
    target.CopyBlock(1, 1, 6, 2, reader, 0, 3);
    EXPECT_EQ(target.Word(1, 1), source.Word(0, 3));
    EXPECT_EQ(target.Word(5, 2), source.Word(4, 4));
    EXPECT_EQ(target.Word(0, 1), 0u);
    EXPECT_EQ(reader.calls.size(), 12u) << "one read per pixel of the block";
}

TEST(MemoryImage, OverlappingCopyWithinOneImage)
{
    MemoryImage image, original;
    ASSERT_TRUE(image.Create(8, 8));
    ASSERT_TRUE(original.Create(8, 8));
    Pattern(original);
    const int32_t moves[2][6] = {{2, 3, 5, 5, 1, 1}, {0, 0, 6, 6, 2, 1}};  // down-right, then up-left
    for (const auto& m : moves) {
        Pattern(image);
        image.CopyBlock(m[0], m[1], m[2], m[3], image, m[4], m[5]);
        for (int32_t y = 0; y < m[3]; ++y) {
            for (int32_t x = 0; x < m[2]; ++x) {
                EXPECT_EQ(image.Word(uint32_t(m[0] + x), uint32_t(m[1] + y)),
                          original.Word(uint32_t(m[4] + x), uint32_t(m[5] + y)));
            }
        }
    }
}
