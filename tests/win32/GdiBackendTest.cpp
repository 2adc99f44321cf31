// The GDI back-end, which composes the window's picture in memory and shows it with one blit per
// frame, against the per-pixel path it replaced: each running spark erased from the window with
// GetPixel/SetPixel or a BitBlt from a memory bitmap holding the backdrop, and plotted with SetPixel
// straight into the window. The same seeded show runs both ways, frame by frame, in two windows,
// mono and stereo, with full and partial repaints; the windows must match pixel for pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "engine/DuePass.h"
#include "engine/Launcher.h"
#include "engine/Random.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/Plot.h"
#include "render/win32/GdiBackend.h"
#include "render/win32/GdiTarget.h"
#include "scenery/Backdrop.h"
#include "tests/ScreenCapture.h"

namespace {
const int Width = 320, Height = 240;

HWND MakeWindow(int x)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FwPictureTest";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "FwPictureTest", "", WS_POPUP | WS_VISIBLE, x, 0, Width, Height, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    UpdateWindow(window);
    return window;
}

::testing::AssertionResult SamePictures(HWND a, HWND b)
{
    HDC dcA = GetDC(a), dcB = GetDC(b);
    std::vector<uint32_t> pa = CaptureDc(dcA, 0, 0, Width, Height, "gdi-composed").pixels;
    std::vector<uint32_t> pb = CaptureDc(dcB, 0, 0, Width, Height, "gdi-pixel-by-pixel").pixels;
    ReleaseDC(a, dcA);
    ReleaseDC(b, dcB);
    auto differ = std::mismatch(pa.begin(), pa.end(), pb.begin());
    if (differ.first == pa.end()) return ::testing::AssertionSuccess();
    size_t i = static_cast<size_t>(differ.first - pa.begin());
    return ::testing::AssertionFailure() << "first difference at " << i % Width << "," << i / Width << ": " << std::hex
                                         << pa[i] << " against " << pb[i];
}

// One side of the comparison: a queue and a world of the window's size, launching as the tick does.
struct Show {
    explicit Show(const ScriptTable& scripts_)
        : scripts(scripts_), queue(3000),
          world(1000, 50, queue, FixedFromInt(-980), FixedFromInt(100), Width, Height)
    {
    }
    void Launch(uint32_t count)
    {
        for (uint32_t i = 0; i < count; ++i) {
            Spark* spark = NewFirework(world, world.now + i * world.framePeriod, scripts, GlobalPixelFormat().colorYellow);
            if (spark != nullptr && !queue.Push(spark)) delete spark;
        }
    }
    const ScriptTable& scripts;
    SparkQueue queue;
    World world;
};

// The per-pixel path: erase and plot straight into the window.
class PixelByPixel : public DueSparkObserver {
public:
    PixelByPixel(DrawTarget& window_, const DrawTarget& backdrop_, const World& world_, uint32_t stereo_)
        : window(window_), backdrop(backdrop_), world(world_), stereo(stereo_)
    {
    }
    void BeforeRun(const Spark& spark) override { EraseDc(spark, window, backdrop, world, stereo); }
    void AfterRequeue(const Spark& spark) override { PlotDc(spark, window, world, stereo); }

private:
    DrawTarget& window;
    const DrawTarget& backdrop;
    const World& world;
    uint32_t stereo;
};
}  // namespace

TEST(GdiBackend, ShowsWhatThePixelByPixelPathDrew)
{
    ScriptTable scripts;
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, "IDRAW_DEFAULT_SCRIPT", MAKEINTRESOURCEA(10));
    ASSERT_NE(found, nullptr);
    scripts.AddBlock(static_cast<const char*>(LockResource(LoadResource(module, found))), SizeofResource(module, found));
    HWND composed = MakeWindow(0), direct = MakeWindow(400);
    ASSERT_TRUE(composed != nullptr && direct != nullptr);
    HDC directDc = GetDC(direct);
    HDC backdropDc = CreateCompatibleDC(directDc);
    HBITMAP backdropBitmap = CreateCompatibleBitmap(directDc, Width, Height);
    HGDIOBJ previous = SelectObject(backdropDc, backdropBitmap);
    GdiTarget window(directDc), backdrop(backdropDc);

    for (uint32_t stereo : {0u, 1u}) {
        const uint32_t seed = 11 + stereo;
        GdiBackend backend(composed, stereo);
        Show a(scripts), b(scripts);
        SeedRandom(seed);
        ASSERT_TRUE(backend.Start());
        uint32_t afterStart = RandomState();
        SeedRandom(seed);
        CreateBackdrop(Width, Height, stereo)->Draw(backdrop);
        ASSERT_EQ(RandomState(), afterStart);
        for (int frame = 0; frame < 260; ++frame) {
            if (frame == 0 || frame == 150) {  // the window is shown; later a full repaint, then part of it
                GdiTarget paintTarget(GetDC(composed));
                backend.Paint(paintTarget, 0, 0, Width, Height);
                window.CopyBlock(0, 0, Width, Height, backdrop, 0, 0);
                if (frame == 150) {
                    backend.Paint(paintTarget, 40, -5, 200, 100);
                    window.CopyBlock(40, 0, 160, 100, backdrop, 40, 0);
                }
                ReleaseDC(composed, paintTarget.Dc());
            }
            // Both sides draw from the shared generator: each frame replays it from the same state.
            uint32_t state = RandomState();
            if (frame == 0 || frame == 90) a.Launch(6);
            backend.Frame(a.world);
            if (ShouldLaunch(a.queue.Count())) a.Launch(1);
            uint32_t afterA = RandomState();
            SeedRandom(state);
            if (frame == 0 || frame == 90) b.Launch(6);
            PixelByPixel redraw(window, backdrop, b.world, stereo);
            RunDueSparks(b.world, &redraw);
            if (ShouldLaunch(b.queue.Count())) b.Launch(1);
            ASSERT_EQ(RandomState(), afterA);
            a.world.now = b.world.now = a.world.now + a.world.framePeriod;
            if (frame % 30 == 29 || frame == 150) {
                ASSERT_TRUE(SamePictures(composed, direct)) << "frame " << frame << ", stereo " << stereo;
            }
        }
        EXPECT_GT(a.queue.Count(), 100u);
    }
    SelectObject(backdropDc, previous);
    DeleteObject(backdropBitmap);
    DeleteDC(backdropDc);
    ReleaseDC(direct, directDc);
    DestroyWindow(composed);
    DestroyWindow(direct);
}
