// GDI does the GDI target's clipping; it must clip as the memory image does, for the backdrop drawn
// through GDI in full-screen mode looks as it does in a window.
#include <gtest/gtest.h>
#include <windows.h>

#include "engine/MemoryImage.h"
#include "engine/PixelFormat.h"
#include "render/win32/GdiTarget.h"

TEST(GdiTarget, PixelsAndFillsClipLikeTheMemoryImage)
{
    GlobalPixelFormat().SetMasks(0xFF0000u, 0xFF00u, 0xFFu);
    // A top-down 64x48 32-bit DIB section, whose words are 0x00RRGGBB like a MemoryImage's.
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -48, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bits, nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    GdiTarget gdi(dc);
    MemoryImage image;
    ASSERT_TRUE(image.Create(64, 48));
    for (auto p : {std::make_pair(-1, 6), std::make_pair(64, 6), std::make_pair(0, 48)}) {
        gdi.SetPixel(p.first, p.second, 0xFFFFFF);
        EXPECT_EQ(gdi.GetPixel(p.first, p.second), InvalidColor);
    }
    // As the skyline's buildings do: fills over the edges, and empty and inverted ones.
    for (DrawTarget* t : {static_cast<DrawTarget*>(&gdi), static_cast<DrawTarget*>(&image)}) {
        t->FillRect(-10, -10, 20, 15, MakeColorRef(200, 10, 10));
        t->FillRect(50, 40, 100, 100, MakeColorRef(1, 2, 3));
        t->FillRect(30, 30, 20, 40, 0xFFFFFF);
        t->FillRect(10, 30, 10, 40, 0xFFFFFF);
        t->SetPixel(63, 47, MakeColorRef(9, 8, 7));
    }
    GdiFlush();
    for (uint32_t i = 0; i < 64 * 48; ++i) {
        ASSERT_EQ(static_cast<const uint32_t*>(bits)[i], image.Word(i % 64, i / 64)) << "at " << i % 64 << "," << i / 64;
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
