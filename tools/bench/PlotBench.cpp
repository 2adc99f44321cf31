// One full-screen frame at 800x600 with 20000 queued sparks: the backdrop copy plus PlotSurface for
// every spark, mono and stereo. Sparks are spread over the visible sky; every other one is big (five
// pixels, and in mono a ground glint with three random draws).
#include <benchmark/benchmark.h>

#include "engine/Fixed.h"
#include "engine/Random.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/MemoryImage.h"
#include "render/PixelFormat.h"
#include "render/SurfaceFrame.h"
#include "scenery/Backdrop.h"

namespace {
const uint32_t Width = 800, Height = 600, SparkCount = 20000;

struct Scene {
    SparkQueue queue{SparkCount};
    World world{0,
                50,
                queue,
                FixedFromInt(-980),
                FixedFromInt(100),
                Width,
                Height,
                0,
                FixedFromInt(3500),
                FixedFromInt(-5000),
                FixedFromInt(-4995),
                0,
                nullptr};
    MemoryImage background, frame;

    explicit Scene(uint32_t stereo)
    {
        GlobalPixelFormat().SetMasks(0xFF0000u, 0xFF00u, 0xFFu);
        SeedRandom(1);
        background.Create(Width, Height);
        frame.Create(Width, Height);
        Backdrop* backdrop = CreateBackdrop(Width, Height, stereo);
        if (backdrop != nullptr) backdrop->Draw(background);
        delete backdrop;
        for (uint32_t i = 0; i < SparkCount; ++i) {
            Fixed x = FixedFromInt(RandomRange(-4000, 4000));
            Fixed y = FixedFromInt(RandomRange(0, 7000));
            Fixed z = FixedFromInt(RandomRange(9000, 14000));
            Pixel colour = GlobalPixelFormat().FromRgb(Rand() & 255, Rand() & 255, Rand() & 255);
            Spark* spark = new Spark(0, i, nullptr, x, y, z, 0, 0, 0, colour);
            spark->big = static_cast<uint8_t>(i & 1);
            if (!queue.Push(spark)) delete spark;
        }
    }
};

void Frame(benchmark::State& state, uint32_t stereo)
{
    Scene scene(stereo);
    for (auto _ : state) {
        CopySurface(scene.frame.View(), scene.background.View());
        PlotQueuedSparks(scene.frame.View(), scene.world, stereo);
        benchmark::DoNotOptimize(scene.frame.Words());
        benchmark::ClobberMemory();
    }
    state.counters["sparks"] = scene.queue.Count();
}

void BM_FrameMono(benchmark::State& state) { Frame(state, 0); }
void BM_FrameStereo(benchmark::State& state) { Frame(state, 1); }
}  // namespace

BENCHMARK(BM_FrameMono)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameStereo)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
