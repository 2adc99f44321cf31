// The GDI back-end composes the window's picture in memory and shows what changed with one blit per
// frame. A seeded show of a few fireworks, mono and stereo, must be seen while it flies; once every
// spark has burnt out the window must show exactly the backdrop: no trail left, no erasure unshown.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "engine/Launcher.h"
#include "engine/MemoryImage.h"
#include "engine/Random.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/win32/GdiBackend.h"
#include "render/win32/GdiTarget.h"
#include "scenery/Backdrop.h"
#include "tests/ScreenCapture.h"

namespace {
const int Width = 320, Height = 240;

HWND MakeWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FwPictureTest";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "FwPictureTest", "", WS_POPUP | WS_VISIBLE, 0, 0, Width, Height, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    UpdateWindow(window);
    return window;
}

size_t Differences(HWND window, const MemoryImage& image)
{
    HDC dc = GetDC(window);
    std::vector<uint32_t> shown = CaptureDc(dc, 0, 0, Width, Height, "gdi-backend").pixels;
    ReleaseDC(window, dc);
    size_t n = 0;
    for (uint32_t i = 0; i < shown.size(); ++i) n += shown[i] != image.Word(i % Width, i / Width);
    return n;
}
}  // namespace

TEST(GdiBackend, ShowsTheFireworksAndLeavesOnlyTheBackdropBehind)
{
    ScriptTable scripts;
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, "IDRAW_DEFAULT_SCRIPT", MAKEINTRESOURCEA(10));
    ASSERT_NE(found, nullptr);
    scripts.AddBlock(static_cast<const char*>(LockResource(LoadResource(module, found))), SizeofResource(module, found));
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    MemoryImage backdrop;
    ASSERT_TRUE(backdrop.Create(Width, Height));

    for (uint32_t stereo : {0u, 1u}) {
        GdiBackend backend(window, stereo);
        SeedRandom(11 + stereo);
        ASSERT_TRUE(backend.Start());
        SeedRandom(11 + stereo);
        CreateBackdrop(Width, Height, stereo)->Draw(backdrop);
        GdiTarget windowTarget(GetDC(window));
        backend.Paint(windowTarget, 0, 0, Width, Height);
        ReleaseDC(window, windowTarget.Dc());

        SparkQueue queue(3000);
        World world(1000, 50, queue, FixedFromInt(-980), FixedFromInt(100), Width, Height);
        for (uint32_t i = 0; i < 6; ++i) {
            Spark* spark = NewFirework(world, world.now + i * world.framePeriod, scripts, GlobalPixelFormat().colorYellow);
            if (spark != nullptr && !queue.Push(spark)) delete spark;
        }
        size_t mostSeen = 0;
        for (int frame = 0; frame < 3000 && queue.Count() > 0; ++frame) {
            backend.Frame(world);
            world.now += world.framePeriod;
            if (frame % 25 == 0) mostSeen = std::max(mostSeen, Differences(window, backdrop));
        }
        ASSERT_EQ(queue.Count(), 0u) << "the show never ended";
        EXPECT_GT(mostSeen, 100u) << "the fireworks were not seen, stereo " << stereo;
        EXPECT_EQ(Differences(window, backdrop), 0u) << "stereo " << stereo;
    }
    DestroyWindow(window);
}
