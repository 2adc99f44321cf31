#include <gtest/gtest.h>
#include <windows.h>

#include "engine/MemoryImage.h"
#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "render/win32/GdiTarget.h"

namespace {
// A memory DC holding a top-down 32-bit DIB section, whose words are 0x00RRGGBB like a MemoryImage's.
class DibDc {
public:
    DibDc()
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -48, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc = CreateCompatibleDC(nullptr);
        if (dc != nullptr) bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap != nullptr) previous = SelectObject(dc, bitmap);
    }
    ~DibDc()
    {
        if (previous != nullptr) SelectObject(dc, previous);
        if (bitmap != nullptr) DeleteObject(bitmap);
        if (dc != nullptr) DeleteDC(dc);
    }
    bool Ready() const { return previous != nullptr && bits != nullptr; }
    uint32_t Word(int32_t x, int32_t y) const
    {
        GdiFlush();
        return static_cast<const uint32_t*>(bits)[y * 64 + x];
    }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    void* bits = nullptr;
};

::testing::AssertionResult SamePicture(const DibDc& dib, const MemoryImage& image)
{
    for (int32_t y = 0; y < 48; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
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
    // Runs the same drawing on the GDI target and on the memory image.
    template <class Draw>
    void DrawBoth(uint32_t seed, Draw draw)
    {
        SeedRandom(seed);
        draw(static_cast<DrawTarget&>(gdi));
        SeedRandom(seed);
        draw(static_cast<DrawTarget&>(image));
    }
    DibDc dib;
    GdiTarget gdi{dib.dc};
    MemoryImage image;
};
}  // namespace

TEST_F(GdiTargetTest, PixelsRoundTripAndOutsideIsInvalid)
{
    gdi.SetPixel(5, 6, MakeColorRef(0x12, 0x34, 0x56));
    EXPECT_EQ(gdi.GetPixel(5, 6), MakeColorRef(0x12, 0x34, 0x56));
    EXPECT_EQ(dib.Word(5, 6), 0x123456u) << "GDI and MemoryImage store the same word";
    for (int32_t p : {-1, 64}) gdi.SetPixel(p, 6, 0xFFFFFF);
    for (auto p : {std::make_pair(-1, 6), std::make_pair(64, 6), std::make_pair(0, 48)}) {
        EXPECT_EQ(gdi.GetPixel(p.first, p.second), InvalidColor);
    }
    EXPECT_EQ(CLR_INVALID, InvalidColor);
}

TEST_F(GdiTargetTest, FillsAndBlockCopiesClipLikeTheMemoryImage)
{
    DibDc sourceDib;
    ASSERT_TRUE(sourceDib.Ready());
    GdiTarget source(sourceDib.dc);
    MemoryImage sourceImage;
    ASSERT_TRUE(sourceImage.Create(64, 48));
    for (int32_t y = 0; y < 48; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            ColorRef c = MakeColorRef(uint32_t(x * 4), uint32_t(y * 5), uint32_t(x + y));
            source.SetPixel(x, y, c);
            sourceImage.SetPixel(x, y, c);
        }
    }
    // Fills over the edges and an inverted one; blocks hanging over the target's edges and one whose
    // source starts outside the source; last a memory image into GDI, pixel by pixel.
    DrawBoth(0, [](DrawTarget& t) {
        t.FillRect(-10, -10, 20, 15, MakeColorRef(200, 10, 10));
        t.FillRect(50, 40, 100, 100, MakeColorRef(1, 2, 3));
        t.FillRect(30, 30, 20, 40, 0xFFFFFF);
    });
    const int32_t blocks[][6] = {{-1, -1, 3, 3, 10, 10}, {62, 46, 3, 3, 0, 0}, {20, 20, 10, 10, 60, 44},
                                 {5, 30, 6, 6, -2, -3}};
    for (const auto& b : blocks) {
        gdi.CopyBlock(b[0], b[1], b[2], b[3], source, b[4], b[5]);
        image.CopyBlock(b[0], b[1], b[2], b[3], sourceImage, b[4], b[5]);
    }
    DrawBoth(0, [&](DrawTarget& t) { t.CopyBlock(40, 2, 8, 8, sourceImage, 60, 1); });
    EXPECT_TRUE(SamePicture(dib, image));
}
