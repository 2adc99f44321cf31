// GDI does the GDI target's clipping; it must clip as the memory image does.
#include <gtest/gtest.h>
#include <windows.h>

#include "engine/MemoryImage.h"
#include "engine/PixelFormat.h"
#include "render/win32/GdiTarget.h"

namespace {
// A memory DC holding a top-down 64x48 32-bit DIB section, whose words are 0x00RRGGBB like a MemoryImage's.
struct DibDc {
    DibDc()
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -48, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous = SelectObject(dc, bitmap);
    }
    ~DibDc()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap;
    HGDIOBJ previous;
};
}  // namespace

TEST(GdiTarget, PixelsFillsAndBlockCopiesClipLikeTheMemoryImage)
{
    GlobalPixelFormat().SetMasks(0xFF0000u, 0xFF00u, 0xFFu);
    DibDc dib, sourceDib;
    ASSERT_TRUE(dib.bits != nullptr && sourceDib.bits != nullptr);
    GdiTarget gdi(dib.dc), source(sourceDib.dc);
    MemoryImage image, sourceImage;
    ASSERT_TRUE(image.Create(64, 48) && sourceImage.Create(64, 48));
    for (auto p : {std::make_pair(-1, 6), std::make_pair(64, 6), std::make_pair(0, 48)}) {
        gdi.SetPixel(p.first, p.second, 0xFFFFFF);
        EXPECT_EQ(gdi.GetPixel(p.first, p.second), InvalidColor);
    }
    for (int32_t y = 0; y < 48; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            ColorRef c = MakeColorRef(uint32_t(x * 4), uint32_t(y * 5), uint32_t(x + y));
            source.SetPixel(x, y, c);
            sourceImage.SetPixel(x, y, c);
        }
    }
    // Fills over the edges and an inverted one; blocks hanging over the target's edges and one whose
    // source starts outside the source; last a memory image into GDI, pixel by pixel.
    for (DrawTarget* t : {static_cast<DrawTarget*>(&gdi), static_cast<DrawTarget*>(&image)}) {
        t->FillRect(-10, -10, 20, 15, MakeColorRef(200, 10, 10));
        t->FillRect(50, 40, 100, 100, MakeColorRef(1, 2, 3));
        t->FillRect(30, 30, 20, 40, 0xFFFFFF);
        t->CopyBlock(40, 2, 8, 8, sourceImage, 60, 1);
    }
    const int32_t blocks[][6] = {{-1, -1, 3, 3, 10, 10}, {62, 46, 3, 3, 0, 0}, {20, 20, 10, 10, 60, 44},
                                 {5, 30, 6, 6, -2, -3}};
    for (const auto& b : blocks) {
        gdi.CopyBlock(b[0], b[1], b[2], b[3], source, b[4], b[5]);
        image.CopyBlock(b[0], b[1], b[2], b[3], sourceImage, b[4], b[5]);
    }
    GdiFlush();
    for (uint32_t i = 0; i < 64 * 48; ++i) {
        ASSERT_EQ(static_cast<const uint32_t*>(dib.bits)[i], image.Word(i % 64, i / 64)) << "at " << i % 64 << "," << i / 64;
    }
}
