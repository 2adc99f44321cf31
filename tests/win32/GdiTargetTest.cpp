#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "engine/Random.h"
#include "render/GdiTarget.h"
#include "render/MemoryImage.h"
#include "render/PixelFormat.h"
#include "render/Plot.h"
#include "scenery/Backdrop.h"
#include "tests/PlotHelpers.h"

namespace {
// A memory DC holding a top-down 32-bit DIB section, so every pixel can be read back exactly.
class DibDc {
public:
    DibDc(int32_t width_, int32_t height_) : width(width_), height(height_)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        if (dc == nullptr) return;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap != nullptr) previous = SelectObject(dc, bitmap);
    }
    ~DibDc()
    {
        if (previous != nullptr) SelectObject(dc, previous);
        if (bitmap != nullptr) DeleteObject(bitmap);
        if (dc != nullptr) DeleteDC(dc);
    }
    bool Ready() const { return dc != nullptr && bitmap != nullptr && bits != nullptr; }
    // The DIB's words are 0x00RRGGBB, the same layout as a MemoryImage.
    uint32_t Word(int32_t x, int32_t y) const
    {
        GdiFlush();
        return static_cast<const uint32_t*>(bits)[y * width + x];
    }

    int32_t width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    void* bits = nullptr;
};

// Runs the same drawing on a GDI target and on a memory image.
template <class Draw>
void DrawBoth(DrawTarget& gdi, DrawTarget& memory, uint32_t seed, Draw draw)
{
    SeedRandom(seed);
    draw(gdi);
    SeedRandom(seed);
    draw(memory);
}

::testing::AssertionResult SamePicture(const DibDc& dib, const MemoryImage& image)
{
    for (int32_t y = 0; y < dib.height; ++y) {
        for (int32_t x = 0; x < dib.width; ++x) {
            if (dib.Word(x, y) != image.Word(uint32_t(x), uint32_t(y))) {
                return ::testing::AssertionFailure() << "differs at " << x << "," << y << ": GDI " << std::hex
                                                     << dib.Word(x, y) << ", memory " << image.Word(uint32_t(x), uint32_t(y));
            }
        }
    }
    return ::testing::AssertionSuccess();
}

class GdiTargetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GlobalPixelFormat().SetMasks(0xFF0000u, 0xFF00u, 0xFFu);
        ASSERT_TRUE(dib.Ready());
        ASSERT_TRUE(image.Create(64, 48));
    }
    DibDc dib{64, 48};
    MemoryImage image;
};
}  // namespace

TEST_F(GdiTargetTest, PixelsRoundTripAndOutsideIsInvalid)
{
    GdiTarget target(dib.dc);
    target.SetPixel(5, 6, MakeColorRef(0x12, 0x34, 0x56));
    EXPECT_EQ(target.GetPixel(5, 6), MakeColorRef(0x12, 0x34, 0x56));
    EXPECT_EQ(dib.Word(5, 6), 0x123456u) << "GDI and MemoryImage store the same word";
    target.SetPixel(-1, 6, 0xFFFFFF);
    target.SetPixel(64, 6, 0xFFFFFF);
    EXPECT_EQ(target.GetPixel(-1, 6), InvalidColor);
    EXPECT_EQ(target.GetPixel(64, 6), InvalidColor);
    EXPECT_EQ(target.GetPixel(0, 48), InvalidColor);
    EXPECT_EQ(CLR_INVALID, InvalidColor);
}

TEST_F(GdiTargetTest, FillsAndBlockCopiesClipLikeTheMemoryImage)
{
    DibDc sourceDib(64, 48);
    ASSERT_TRUE(sourceDib.Ready());
    MemoryImage sourceImage;
    ASSERT_TRUE(sourceImage.Create(64, 48));
    GdiTarget source(sourceDib.dc);
    for (int32_t y = 0; y < 48; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            ColorRef c = MakeColorRef(uint32_t(x * 4), uint32_t(y * 5), uint32_t(x + y));
            source.SetPixel(x, y, c);
            sourceImage.SetPixel(x, y, c);
        }
    }
    GdiTarget gdi(dib.dc);
    gdi.FillRect(-10, -10, 20, 15, MakeColorRef(200, 10, 10));
    image.FillRect(-10, -10, 20, 15, MakeColorRef(200, 10, 10));
    gdi.FillRect(50, 40, 100, 100, MakeColorRef(1, 2, 3));
    image.FillRect(50, 40, 100, 100, MakeColorRef(1, 2, 3));
    gdi.FillRect(30, 30, 20, 40, 0xFFFFFF);
    image.FillRect(30, 30, 20, 40, 0xFFFFFF);
    // Blocks hanging over the target's edges, and one whose source starts outside the source.
    const int32_t blocks[][6] = {{-1, -1, 3, 3, 10, 10}, {62, 46, 3, 3, 0, 0}, {20, 20, 10, 10, 60, 44},
                                 {5, 30, 6, 6, -2, -3}};
    for (const auto& b : blocks) {
        gdi.CopyBlock(b[0], b[1], b[2], b[3], source, b[4], b[5]);
        image.CopyBlock(b[0], b[1], b[2], b[3], sourceImage, b[4], b[5]);
    }
    EXPECT_TRUE(SamePicture(dib, image));
    // And from a memory image into GDI, pixel by pixel.
    gdi.CopyBlock(40, 2, 8, 8, sourceImage, 60, 1);
    image.CopyBlock(40, 2, 8, 8, sourceImage, 60, 1);
    EXPECT_TRUE(SamePicture(dib, image));
}

TEST_F(GdiTargetTest, BackdropsAndSparksMatchTheMemoryImage)
{
    GdiTarget gdi(dib.dc);
    for (uint32_t stereo : {0u, 1u}) {
        std::unique_ptr<Backdrop> backdrop(CreateBackdrop(64, 48, stereo));
        ASSERT_NE(backdrop, nullptr);
        DrawBoth(gdi, image, 21 + stereo, [&](DrawTarget& t) { backdrop->Draw(t); });
        EXPECT_TRUE(SamePicture(dib, image)) << "stereo " << stereo;

        SparkQueue queue(1);
        World world = ShowWorld(queue, 64, 48);
        const int32_t places[][2] = {{0, 0}, {63, 20}, {31, 47}, {2, 10}, {40, 30}};
        for (const auto& p : places) {
            bool placed = false;
            std::unique_ptr<Spark> spark = SparkAt(world, p[0], p[1], 0, 0x80C040, p[0] != 31, &placed);
            ASSERT_TRUE(placed);
            DrawBoth(gdi, image, 1, [&](DrawTarget& t) { PlotDc(*spark, t, world, stereo); });
        }
        EXPECT_TRUE(SamePicture(dib, image)) << "stereo " << stereo;
    }
}

TEST_F(GdiTargetTest, StereoAtZeroParallaxIsWhiteWithHalfWhiteNeighbours)
{
    GdiTarget gdi(dib.dc);
    gdi.FillRect(0, 0, 64, 48, 0);
    SparkQueue queue(1);
    World world = ShowWorld(queue, 64, 48);
    bool placed = false;
    std::unique_ptr<Spark> spark = SparkAt(world, 32, 24, FixedFromInt(40000), 0x123456, true, &placed);
    ASSERT_TRUE(placed);
    ASSERT_EQ(RightEyeColumn(world, *spark), 32);
    PlotDc(*spark, gdi, world, 1);
    EXPECT_EQ(dib.Word(32, 24), 0xFFFFFFu);
    EXPECT_EQ(dib.Word(31, 24), 0x7F7F7Fu);
    EXPECT_EQ(dib.Word(33, 24), 0x7F7F7Fu);
    EXPECT_EQ(dib.Word(32, 23), 0x7F7F7Fu);
    EXPECT_EQ(dib.Word(32, 25), 0x7F7F7Fu);
    EXPECT_EQ(dib.Word(31, 23), 0u);
}

TEST_F(GdiTargetTest, BigSparkAtTheEdgesIsClippedAndErasedExactly)
{
    DibDc backdropDib(64, 48);
    ASSERT_TRUE(backdropDib.Ready());
    GdiTarget window(dib.dc), backdrop(backdropDib.dc);
    GlobalPixelFormat().SetMasks(0xE0, 0x1C, 0x03);
    std::unique_ptr<Backdrop> skyline(CreateBackdrop(64, 48, 0));
    ASSERT_NE(skyline, nullptr);
    SeedRandom(3);
    skyline->Draw(backdrop);
    BitBlt(dib.dc, 0, 0, 64, 48, backdropDib.dc, 0, 0, SRCCOPY);

    SparkQueue queue(1);
    World world = ShowWorld(queue, 64, 48);
    bool placed = false;
    std::unique_ptr<Spark> left = SparkAt(world, 0, 0, 0, GlobalPixelFormat().colorYellow, true, &placed);
    ASSERT_TRUE(placed);
    std::unique_ptr<Spark> right = SparkAt(world, 63, 47, 0, GlobalPixelFormat().colorYellow, true, &placed);
    ASSERT_TRUE(placed);
    for (uint32_t stereo : {0u, 1u}) {
        PlotDc(*left, window, world, stereo);
        PlotDc(*right, window, world, stereo);
        if (stereo == 0) {
            EXPECT_EQ(dib.Word(0, 0), 0xFFFF00u);
            EXPECT_EQ(dib.Word(1, 0), 0xFFFF00u);
            EXPECT_EQ(dib.Word(0, 1), 0xFFFF00u);
            EXPECT_EQ(dib.Word(62, 47), 0xFFFF00u);
        }
        EraseDc(*left, window, backdrop, world, stereo);
        EraseDc(*right, window, backdrop, world, stereo);
        for (int32_t y = 0; y < 48; ++y) {
            for (int32_t x = 0; x < 64; ++x) ASSERT_EQ(dib.Word(x, y), backdropDib.Word(x, y)) << x << "," << y;
        }
    }
}
