#include "app/x11/X11Backend.h"

#include <memory>
#include <system_error>
#include <thread>

#include "engine/DuePass.h"
#include "app/x11/Clock.h"
#include "app/FpsMeter.h"
#include "app/x11/TargetWindow.h"
#include "render/FrameProfiler.h"
#include "engine/PixelFormat.h"
#include "render/SurfaceFrame.h"
#include "scenery/Backdrop.h"

X11Backend::X11Backend(XConnection& x_, const TargetWindow& window_, uint32_t stereo_, FpsMeter* meter_)
    : x(x_), window(window_), stereo(stereo_), meter(meter_), presentError(Success)
{
    mode = DisplayMode{window.Width(), window.Height(), 32, 0};
}

bool X11Backend::Start()
{
    GlobalPixelFormat().SetMasks(0xFF0000u, 0xFF00u, 0xFFu);
    if (!presenter.Create(x, window.Id(), window.GetVisual(), window.Depth(), mode.width, mode.height, problem)) {
        Stop();
        return false;
    }
    std::unique_ptr<Backdrop> drawn(backdrop.Create(mode.width, mode.height) ? CreateBackdrop(mode.width, mode.height, stereo)
                                                                             : nullptr);
    if (drawn == nullptr) {
        problem = "no memory for a backdrop of " + std::to_string(mode.width) + "x" + std::to_string(mode.height);
        Stop();
        return false;
    }
    drawn->Draw(backdrop);
    CopySurface(presenter.View(), backdrop.View());
    presenter.Present();
    presentError = Success;
    return true;
}

void X11Backend::Stop()
{
    presenter.Release();
    backdrop.Create(0, 0);
}

void X11Backend::Frame(World& world)
{
    // The server has had the whole sleep to read the previous frame, so the picture is normally free
    // at once. The due pass leaves the picture alone, so the backdrop is copied into it on a second
    // thread meanwhile: the frame then costs the longer of the two, not their sum. Either way the
    // picture is backdrop, then every queued spark, as on one thread.
    SurfaceView picture = presenter.View();
    {
        PhaseTimer timer(profiler, FrameProfiler::Present);
        presentError = presenter.Settle();
    }
    std::thread copier;
    try {
        copier = std::thread(CopySurface, picture, backdrop.View());
    } catch (const std::system_error&) {
        CopySurface(picture, backdrop.View());  // no thread to be had: copy first, as before
    }
    {
        PhaseTimer timer(profiler, FrameProfiler::DuePass);
        RunDueSparks(world);
    }
    {
        PhaseTimer timer(profiler, FrameProfiler::BackdropCopy);  // what the copy adds to the due pass
        if (copier.joinable()) copier.join();
    }
    {
        PhaseTimer timer(profiler, FrameProfiler::Plotting);
        PlotQueuedSparks(picture, world, stereo);
        if (meter != nullptr) {
            meter->Count(Milliseconds());
            meter->Draw(picture);
        }
    }
    PhaseTimer timer(profiler, FrameProfiler::Present);
    presenter.Present();
}

bool X11Backend::Resize(uint32_t width, uint32_t height)
{
    Stop();
    mode.width = width;
    mode.height = height;
    return Start();
}
