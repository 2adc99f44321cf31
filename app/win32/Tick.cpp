// One frame of the show, and the launcher that feeds it new fireworks.
#include "app/win32/FireworksApp.h"

#include "engine/Launcher.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "engine/win32/SystemLibrary.h"
#include "render/FrameProfiler.h"

void FireworksApp::Tick()
{
    if (!world || !sparkQueue) return;
    DWORD frameStart = SystemMilliseconds();
    FrameProfiler::Clock::time_point profileStart = profiler != nullptr ? FrameProfiler::Now() : FrameProfiler::Clock::time_point();
    world->now = SystemMilliseconds();

    // Without a back-end nothing is drawn and no spark advances.
    if (display) display->Frame(*world);

    if (ShouldLaunch(sparkQueue->Count())) LaunchFireworks(1);
    if (profiler != nullptr) profiler->EndFrame(profileStart, sparkQueue->Count());

    // Measured as elapsed time so that the wrap of the millisecond clock never turns into a sleep
    // of weeks; a late frame is not made up.
    DWORD elapsed = SystemMilliseconds() - frameStart;
    if (elapsed < world->framePeriod) Sleep(world->framePeriod - elapsed);
}

void FireworksApp::LaunchFireworks(uint32_t count)
{
    if (runState != Running) Resume();
    if (!display || width == 0 || height == 0 || !world || !sparkQueue) return;
    if (!scriptTable || scriptTable->Count() == 0) return;
    const ScriptTable& scripts = *scriptTable;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t wakeTime = world->now + i * world->framePeriod;
        Spark* spark = NewFirework(*world, wakeTime, scripts, GlobalPixelFormat().colorYellow);
        if (spark != nullptr && !sparkQueue->Push(spark)) delete spark;
    }
}
