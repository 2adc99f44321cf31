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
    image.FillRect(3, 0, 9, 1, MakeColorRef(0, 0, 7));
    for (uint32_t y = 0; y < 4; ++y) {
        for (uint32_t x = 0; x < 5; ++x)
            EXPECT_EQ(image.Word(x, y), (x < 2 && y >= 2) ? 9u : (x >= 3 && y == 0) ? 7u : 0u) << x << "," << y;
    }

    EXPECT_FALSE(image.Create(0x20000000u, 1));
    EXPECT_EQ(image.Width(), 0u);
}

// Every pixel of a fresh target against a plain model: inside both the block and the source it holds
// the source's pixel, elsewhere what it held before.
TEST(MemoryImage, BlockCopiesAreClippedToSourceAndTarget)
{
    MemoryImage source;
    ASSERT_TRUE(source.Create(6, 5));
    Pattern(source);
    DrawRecorder reader(&source);
    enum From { Image, Reader, Itself };
    const struct {
        int32_t x, y, width, height, fromX, fromY;
        From from;
    } copies[] = {
        {3, 1, 5, 6, -2, -1, Image},  // from left of and above the source to past the target's right edge
        {0, 0, 3, 3, 6, 0, Image},    // entirely outside the source
        {0, 0, -3, 3, 0, 0, Image},
        {-1, -1, 3, 3, 2, 2, Image},
        {4, -2, 1, 3, 4, 0, Image},  // above the target only
        {0, 2, 2, 9, 0, 3, Image},   // past the source's bottom
        {1, 1, 6, 2, 0, 3, Reader},  // another kind of target is read pixel by pixel
        {1, 2, 4, 3, 0, 0, Itself},  // overlapping, down and right
        {0, 0, 5, 4, 1, 1, Itself},  // overlapping, up and left
    };
    for (const auto& c : copies) {
        MemoryImage target;
        ASSERT_TRUE(target.Create(6, 5));
        if (c.from == Itself) Pattern(target);
        const DrawTarget* from[] = {&source, &reader, &target};
        target.CopyBlock(c.x, c.y, c.width, c.height, *from[c.from], c.fromX, c.fromY);
        for (int32_t y = 0; y < 5; ++y) {
            for (int32_t x = 0; x < 6; ++x) {
                int32_t dx = x - c.x, dy = y - c.y;
                bool inBlock = dx >= 0 && dx < c.width && dy >= 0 && dy < c.height;
                ColorRef copied = inBlock ? source.GetPixel(c.fromX + dx, c.fromY + dy) : InvalidColor;
                ColorRef before = c.from == Itself ? source.GetPixel(x, y) : 0u;
                EXPECT_EQ(target.GetPixel(x, y), copied != InvalidColor ? copied : before)
                    << "block at " << c.x << "," << c.y << ", pixel " << x << "," << y;
            }
        }
    }
}
