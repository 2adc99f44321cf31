#include "render/HeadlessBackend.h"

#include "engine/DuePass.h"
#include "engine/PixelFormat.h"
#include "render/FrameProfiler.h"
#include "render/SurfaceFrame.h"
#include "scenery/Backdrop.h"

HeadlessBackend::HeadlessBackend(uint32_t width, uint32_t height, uint32_t stereo_) : stereo(stereo_)
{
    mode = DisplayMode{width, height, 32, 0};
}

bool HeadlessBackend::Start()
{
    GlobalPixelFormat().SetMasks(0xFF0000u, 0xFF00u, 0xFFu);
    std::unique_ptr<Backdrop> drawn;
    bool started = backdrop.Create(mode.width, mode.height) && picture.Create(mode.width, mode.height) &&
                   (drawn = CreateBackdrop(mode.width, mode.height, stereo)) != nullptr;
    if (started) {
        drawn->Draw(backdrop);
        CopySurface(picture.View(), backdrop.View());
    }
    if (!started) Stop();
    return started;
}

void HeadlessBackend::Stop()
{
    backdrop.Create(0, 0);
    picture.Create(0, 0);
}

void HeadlessBackend::Frame(World& world)
{
    {
        PhaseTimer timer(profiler, FrameProfiler::BackdropCopy);
        CopySurface(picture.View(), backdrop.View());
    }
    {
        PhaseTimer timer(profiler, FrameProfiler::DuePass);
        RunDueSparks(world);
    }
    PhaseTimer timer(profiler, FrameProfiler::Plotting);
    PlotQueuedSparks(picture.View(), world, stereo);
}

bool HeadlessBackend::Resize(uint32_t width, uint32_t height)
{
    Stop();
    mode.width = width;
    mode.height = height;
    return Start();
}
