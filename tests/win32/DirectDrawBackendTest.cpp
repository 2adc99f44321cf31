// The full-screen DirectDraw back-end in-process. Under Xvfb Wine offers exactly the screen's size:
// an 800x600 screen exercises the full-screen path, a wider one the fall-back to GDI (that case runs
// as its own CTest entry on a 1024x768 screen; each case skips itself on the other screen).
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "app/win32/FireworksApp.h"
#include "engine/SparkQueue.h"
#include "render/win32/DirectDrawBackend.h"
#include "tests/SettingsRegistry.h"
#include "win32/AppTestSupport.h"

namespace {
bool ScreenIs(int width, int height)
{
    return GetSystemMetrics(SM_CXSCREEN) == width && GetSystemMetrics(SM_CYSCREEN) == height;
}

// Reads the front buffer: what the screen shows after the last flip.
std::set<uint32_t> ShownColours(IDirectDrawSurface* primary, uint32_t fromRow, uint32_t* coloured)
{
    std::set<uint32_t> colours;
    DDSURFACEDESC desc;
    ZeroMemory(&desc, sizeof desc);
    desc.dwSize = sizeof desc;
    *coloured = 0;
    if (FAILED(primary->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) return colours;
    for (uint32_t y = fromRow; y < desc.dwHeight; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(desc.lpSurface) + y * desc.lPitch);
        for (uint32_t x = 0; x < desc.dwWidth; ++x) {
            uint32_t p = row[x] & 0xFFFFFF;
            colours.insert(p);
            uint32_t r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
            *coloured += (r > 150 && b < 100) || (g > 150 && b < 100);
        }
    }
    primary->Unlock(nullptr);
    return colours;
}

const DirectDrawBackend* FullScreen(const FireworksApp& app)
{
    return dynamic_cast<const DirectDrawBackend*>(app.Display());
}

void RunFrames(HWND window, int frames)
{
    for (int i = 0; i < frames; ++i) SendMessageA(window, WM_FW_TICK, 0, 0);
}
}  // namespace

TEST(DirectDrawBackend, ChoosesThe32BitModeAndShowsSparksWithTheirGlints)
{
    if (!ScreenIs(800, 600)) GTEST_SKIP() << "needs an 800x600 screen";
    settings_registry::DeleteModeKey("screensaver");
    settings_registry::PutDword("screensaver", "DrawMode", 1);
    FireworksApp app(ScreenSaver, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(app.IsUsable());
    ASSERT_NE(FullScreen(app), nullptr);
    const DisplayMode& mode = FullScreen(app)->Mode();
    EXPECT_EQ(mode.width, 800u);
    EXPECT_EQ(mode.height, 600u);
    EXPECT_EQ(mode.bitsPerPixel, 32u);
    Pump(200);
    SendMessageA(app.Window(), WM_FW_LAUNCH, 9, 0);
    RunFrames(app.Window(), 150);  // the rockets have burst by now
    uint32_t coloured = 0;
    ShownColours(FullScreen(app)->PrimarySurface(), 600 - 32, &coloured);
    EXPECT_GT(coloured, 0u) << "no glint in the bottom rows";
    DestroyWindow(app.Window());
    settings_registry::DeleteModeKey("screensaver");
}

TEST(DirectDrawBackend, StereoShowsOnlyRedBlueAndMagentaOnBlack)
{
    if (!ScreenIs(800, 600)) GTEST_SKIP() << "needs an 800x600 screen";
    settings_registry::DeleteModeKey("screensaver");
    settings_registry::PutDword("screensaver", "DrawMode", 1);
    settings_registry::PutDword("screensaver", "Stereo", 1);
    FireworksApp app(ScreenSaver, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(FullScreen(app), nullptr);
    Pump(200);
    SendMessageA(app.Window(), WM_FW_LAUNCH, 9, 0);
    RunFrames(app.Window(), 150);
    uint32_t coloured = 0;
    std::set<uint32_t> colours = ShownColours(FullScreen(app)->PrimarySurface(), 0, &coloured);
    EXPECT_GT(colours.size(), 1u);
    for (uint32_t c : colours) EXPECT_TRUE(c == 0 || c == 0xFF0000 || c == 0x0000FF || c == 0xFF00FF) << std::hex << c;
    DestroyWindow(app.Window());
    settings_registry::DeleteModeKey("screensaver");
}

TEST(DirectDrawBackend, LostSurfacesAreRestoredInTheNextFrame)
{
    if (!ScreenIs(800, 600)) GTEST_SKIP() << "needs an 800x600 screen";
    settings_registry::DeleteModeKey("screensaver");
    settings_registry::PutDword("screensaver", "DrawMode", 1);
    FireworksApp app(ScreenSaver, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(FullScreen(app), nullptr);
    Pump(200);
    // Setting the mode again takes the video memory away from every surface, as switching away does.
    const DisplayMode& mode = FullScreen(app)->Mode();
    FullScreen(app)->DirectDraw()->SetDisplayMode(mode.width, mode.height, mode.bitsPerPixel, 0, 0);
    if (FullScreen(app)->PrimarySurface()->IsLost() != DDERR_SURFACELOST) GTEST_SKIP() << "this DirectDraw keeps its surfaces";
    RunFrames(app.Window(), 1);
    EXPECT_EQ(FullScreen(app)->PrimarySurface()->IsLost(), DD_OK);
    EXPECT_EQ(FullScreen(app)->BackgroundSurface()->IsLost(), DD_OK);
    uint32_t coloured = 0;
    RunFrames(app.Window(), 1);
    EXPECT_GT(ShownColours(FullScreen(app)->PrimarySurface(), 0, &coloured).size(), 1u) << "the backdrop was not redrawn";
    DestroyWindow(app.Window());
    settings_registry::DeleteModeKey("screensaver");
}

TEST(DirectDrawWide, FallsBackToGdiWithoutAModeOf800OrLess)
{
    if (GetSystemMetrics(SM_CXSCREEN) <= 800) GTEST_SKIP() << "needs a screen wider than 800";
    settings_registry::DeleteModeKey("screensaver");
    settings_registry::PutDword("screensaver", "DrawMode", 1);
    FireworksApp app(ScreenSaver, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(app.IsUsable());
    ASSERT_NE(app.Display(), nullptr);
    EXPECT_STREQ(app.Display()->Name(), "GDI");
    Pump(200);
    EXPECT_EQ(app.Display()->Mode().width, static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN)));
    EXPECT_EQ(app.Display()->Mode().bitsPerPixel, 8u);
    DestroyWindow(app.Window());
    settings_registry::DeleteModeKey("screensaver");
}
