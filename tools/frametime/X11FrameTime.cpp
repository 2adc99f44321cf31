// frametime_x11: measures the X11 saver's frame on the root window of $DISPLAY, as the program runs
// it (MIT-SHM where the server offers it). Like frametime.exe it keeps the sky full of sparks up to
// the spark limit, paces frames at the frame rate, and prints the median frame time without the
// sleep, split into its phases, in the same words, so that `make bench` reads both alike.
//   frametime_x11 [--sparks LIMIT] [--frames N] [--stereo]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "settings/RunMode.h"
#include "engine/Random.h"
#include "app/x11/BuiltInScripts.h"
#include "app/x11/Clock.h"
#include "app/SaverOptions.h"
#include "app/SaverShow.h"
#include "app/x11/TargetWindow.h"
#include "app/x11/X11Backend.h"
#include "app/x11/XConnection.h"
#include "render/FrameProfiler.h"
#include "settings/Settings.h"

namespace {
// Frames of the show, paced as the program paces them; below 90 % of the limit more fireworks go up.
void RunFrames(SaverShow& show, X11Backend& display, FrameProfiler* profiler, int frames, uint32_t fill, int launchEvery,
               uint32_t launchCount)
{
    for (int i = 0; i < frames; ++i) {
        if (profiler == nullptr && show.Sparks() >= fill) return;
        if (show.Sparks() < fill && i % launchEvery == 0) show.Launch(launchCount);
        uint32_t start = Milliseconds();
        FrameProfiler::Clock::time_point profileStart = FrameProfiler::Now();
        show.Tick(display, Milliseconds());
        if (profiler != nullptr) profiler->EndFrame(profileStart, show.Sparks());
        uint32_t elapsed = Milliseconds() - start;
        if (elapsed < show.GetWorld().framePeriod) SleepMilliseconds(show.GetWorld().framePeriod - elapsed);
    }
}
}  // namespace

int main(int argc, char** argv)
{
    Settings settings(nullptr, ScreenSaver, nullptr, nullptr);
    int frames = 300;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--sparks") == 0 && i + 1 < argc) {
            settings.SetSparkLimit(static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10)));
        } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
            frames = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--stereo") == 0) {
            settings.SetStereo(1);
        } else {
            std::fprintf(stderr, "usage: frametime_x11 [--sparks LIMIT] [--frames N] [--stereo]\n");
            return 2;
        }
    }
    settings.Validate();

    XConnection x;
    SaverOptions options;
    options.target = SaverOptions::RootWindow;
    TargetWindow window;
    std::string error;
    if (!x.Open("") || !window.Open(x, options, error)) {
        std::fprintf(stderr, "frametime_x11: no display %s\n", error.c_str());
        return 1;
    }
    SeedRandom(1);
    X11Backend display(x, window, static_cast<uint32_t>(settings.GetStereo()), nullptr);
    ScriptTable scripts;
    std::string note;
    if (!display.Start() || !LoadSaverScripts(scripts, settings, BuiltInScripts, BuiltInScriptsSize, error, note)) {
        std::fprintf(stderr, "frametime_x11: %s%s\n", display.Problem().c_str(), error.c_str());
        return 1;
    }
    SaverShow show(settings, scripts, window.Width(), window.Height(), Milliseconds());

    // Fill the sky, then measure.
    uint32_t fill = settings.GetSparkLimit() * 9 / 10;
    RunFrames(show, display, nullptr, 400, fill, 5, 9);
    FrameProfiler profiler;
    display.SetProfiler(&profiler);
    RunFrames(show, display, &profiler, frames, fill, 1, 3);
    display.SetProfiler(nullptr);

    std::printf("backend x11%s %ux%u, spark limit %u, frames %u, backend in use %s\n", settings.GetStereo() ? " stereo" : "",
                window.Width(), window.Height(), settings.GetSparkLimit(), static_cast<unsigned>(profiler.Frames()), display.Name());
    std::printf("median live sparks %u\n", profiler.MedianSparks());
    std::printf("median frame (without sleep) %.3f ms\n", profiler.MedianFrameMs());
    for (int p = 0; p < FrameProfiler::PhaseCount; ++p) {
        FrameProfiler::Phase phase = static_cast<FrameProfiler::Phase>(p);
        std::printf("  median %-14s %.3f ms\n", FrameProfiler::PhaseName(phase), profiler.MedianPhaseMs(phase));
    }
    return 0;
}
