// The full-screen DirectDraw back-end in-process. Under Xvfb Wine offers exactly the screen's size:
// an 800x600 screen exercises the full-screen path, a wider one the fall-back to GDI (that case runs
// as its own CTest entry on a 1024x768 screen; each case skips itself on the other screen).
#include <gtest/gtest.h>

#include <windows.h>

#include "app/win32/FireworksApp.h"
#include "render/win32/DirectDrawBackend.h"
#include "tests/SettingsRegistry.h"
#include "win32/AppTestSupport.h"

namespace {
// Counts the front buffer's 0xRRGGBB pixels from `fromRow` down that `match` picks.
template <class Match>
uint32_t CountShown(IDirectDrawSurface* primary, uint32_t fromRow, Match match)
{
    DDSURFACEDESC desc;
    ZeroMemory(&desc, sizeof desc);
    desc.dwSize = sizeof desc;
    if (FAILED(primary->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) return 0;
    uint32_t n = 0;
    for (uint32_t y = fromRow; y < desc.dwHeight; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(desc.lpSurface) + y * desc.lPitch);
        for (uint32_t x = 0; x < desc.dwWidth; ++x) n += match(row[x] & 0xFFFFFF) ? 1 : 0;
    }
    primary->Unlock(nullptr);
    return n;
}

void RunFrames(HWND window, int frames)
{
    for (int i = 0; i < frames; ++i) SendMessageA(window, WM_FW_TICK, 0, 0);
}
}  // namespace

// The 32-bit mode, glints in the bottom rows, and surfaces lost to a mode switch restored in the
// next frame. Stereo draws through the same surfaces with the portable plotting the core tests check.
TEST(DirectDrawBackend, ShowsSparksAndRestoresLostSurfaces)
{
    if (GetSystemMetrics(SM_CXSCREEN) != 800 || GetSystemMetrics(SM_CYSCREEN) != 600) GTEST_SKIP() << "needs an 800x600 screen";
    settings_registry::DeleteModeKey("screensaver");
    settings_registry::PutDword("screensaver", "DrawMode", 1);
    FireworksApp app(ScreenSaver, GetModuleHandleA(nullptr), nullptr);
    const DirectDrawBackend* fullScreen = dynamic_cast<const DirectDrawBackend*>(app.Display());
    ASSERT_NE(fullScreen, nullptr);
    const DisplayMode& mode = fullScreen->Mode();
    EXPECT_EQ(mode.width * 10000 + mode.height * 10 + mode.bitsPerPixel / 8, 8006004u);
    Pump(200);
    SendMessageA(app.Window(), WM_FW_LAUNCH, 9, 0);
    RunFrames(app.Window(), 150);  // the rockets have burst by now
    auto glint = [](uint32_t p) { return ((p >> 16) > 150 || ((p >> 8) & 0xFF) > 150) && (p & 0xFF) < 100; };
    EXPECT_GT(CountShown(fullScreen->PrimarySurface(), 600 - 32, glint), 0u) << "no glint in the bottom rows";
    // Setting the mode again takes the video memory away from every surface, as switching away does.
    fullScreen->DirectDraw()->SetDisplayMode(mode.width, mode.height, mode.bitsPerPixel, 0, 0);
    if (fullScreen->PrimarySurface()->IsLost() == DDERR_SURFACELOST) {
        RunFrames(app.Window(), 2);
        EXPECT_GT(CountShown(fullScreen->PrimarySurface(), 0, [](uint32_t p) { return p != 0; }), 0u) << "no backdrop";
    }
    DestroyWindow(app.Window());
    settings_registry::DeleteModeKey("screensaver");
}

TEST(DirectDrawWide, FallsBackToGdiWithoutAModeOf800OrLess)
{
    if (GetSystemMetrics(SM_CXSCREEN) <= 800) GTEST_SKIP() << "needs a screen wider than 800";
    settings_registry::DeleteModeKey("screensaver");
    settings_registry::PutDword("screensaver", "DrawMode", 1);
    FireworksApp app(ScreenSaver, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(app.Display(), nullptr);
    EXPECT_STREQ(app.Display()->Name(), "GDI");
    Pump(200);
    EXPECT_EQ(app.Display()->Mode().width, static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN)));
    DestroyWindow(app.Window());
    settings_registry::DeleteModeKey("screensaver");
}
