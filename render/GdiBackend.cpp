// GDI display back-end: the show in an ordinary window. The backdrop is drawn once into a memory
// bitmap of the client size; each frame touches only the sparks that run, erasing their old pixels
// from that bitmap and plotting them at their new place straight into the window. Every colour is
// quantised to a fixed 3-3-2 format. A failed set-up leaves no back-end: the window keeps its black
// class background and the show stays empty.
#include "app/FireworksApp.h"

#include "app/FrameProfiler.h"
#include "engine/DuePass.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/GdiTarget.h"
#include "render/Plot.h"
#include "scenery/Backdrop.h"
#include "settings/Settings.h"

void FireworksApp::CreateBackdrop()
{
    backdrop = ::CreateBackdrop(width, height, settings != nullptr ? static_cast<uint32_t>(settings->Stereo) : 0);
}

bool FireworksApp::StartGdi()
{
    GlobalPixelFormat().SetMasks(0xE0, 0x1C, 0x03);
    RECT client = {};
    GetClientRect(window, &client);
    SetDisplayGeometry(static_cast<uint32_t>(client.right), static_cast<uint32_t>(client.bottom), 8, 0, 0, 0, 0);

    HDC windowDc = GetDC(window);
    if (windowDc != nullptr) {
        memoryDC = CreateCompatibleDC(windowDc);
        if (memoryDC != nullptr) {
            // Compatible with the window, not the memory DC, so the bitmap has the screen's depth. A
            // window that is not shown yet has no size; not every GDI makes a bitmap of zero pixels,
            // so it gets one pixel until the size message rebuilds everything at the real size.
            int bitmapWidth = width > 0 ? static_cast<int>(width) : 1;
            int bitmapHeight = height > 0 ? static_cast<int>(height) : 1;
            memoryBitmap = CreateCompatibleBitmap(windowDc, bitmapWidth, bitmapHeight);
            if (memoryBitmap == nullptr) {
                DeleteDC(memoryDC);
                memoryDC = nullptr;
            } else {
                previousBitmap = SelectObject(memoryDC, memoryBitmap);
                CreateBackdrop();
                if (backdrop != nullptr) {
                    GdiTarget target(memoryDC);
                    backdrop->Draw(target);
                    backend = 2;
                }
            }
        }
        ReleaseDC(window, windowDc);
    }
    if (backend != 2) StopGdi();
    return backend == 2;
}

void FireworksApp::StopGdi()
{
    if (memoryDC != nullptr) {
        if (previousBitmap != nullptr) {
            SelectObject(memoryDC, previousBitmap);
            previousBitmap = nullptr;
        }
        if (memoryBitmap != nullptr) {
            DeleteObject(memoryBitmap);
            memoryBitmap = nullptr;
        }
        DeleteDC(memoryDC);
        memoryDC = nullptr;
    }
    delete backdrop;
    backdrop = nullptr;
    backend = 0;
}

void FireworksApp::Resize(uint32_t width_, uint32_t height_)
{
    if (backend != 2) return;
    SetDisplayGeometry(width_, height_, 8, 0, 0, 0, 0);
    StopGdi();
    StartGdi();
}

void FireworksApp::PaintWindow(HDC paintDc)
{
    if (backend != 2) return;
    BitBlt(paintDc, 0, 0, static_cast<int>(width), static_cast<int>(height), memoryDC, 0, 0, SRCCOPY);
}

namespace {
// The GDI frame's drawing: each running spark is erased from the window with the backdrop's pixels
// before its script runs and plotted at its new place once it is back in the queue.
class WindowRedraw : public DueSparkObserver {
public:
    WindowRedraw(DrawTarget& screen_, const DrawTarget& backdrop_, const World& world_, uint32_t stereo_,
                 FrameProfiler* profiler_)
        : screen(screen_), backdrop(backdrop_), world(world_), stereo(stereo_), profiler(profiler_)
    {
    }
    void BeforeRun(const Spark& spark) override
    {
        PhaseTimer gdi(profiler, FrameProfiler::GdiCalls);
        EraseDc(spark, screen, backdrop, world, stereo);
    }
    void AfterRequeue(const Spark& spark) override
    {
        PhaseTimer gdi(profiler, FrameProfiler::GdiCalls);
        PlotDc(spark, screen, world, stereo);
    }

private:
    DrawTarget& screen;
    const DrawTarget& backdrop;
    const World& world;
    uint32_t stereo;
    FrameProfiler* profiler;
};
}  // namespace

void FireworksApp::DrawGdiFrame(HDC windowDc)
{
    PhaseTimer whole(profiler, FrameProfiler::DuePass);
    GdiTarget screen(windowDc);
    GdiTarget memory(memoryDC);
    WindowRedraw redraw(screen, memory, *world, static_cast<uint32_t>(settings->Stereo), profiler);
    RunDueSparks(*world, &redraw);
}
