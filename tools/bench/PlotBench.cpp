// One full-screen frame at 800x600 with 20000 queued sparks: the backdrop copy plus PlotSurface for
// every spark, mono and stereo. Every other spark is big (five pixels, and in mono a ground glint
// with three random draws). Two layouts: sparks spread evenly over the whole sky (the worst case for
// the caches), and sparks gathered in 20 bursts of 1000, as a show has them.
#include <benchmark/benchmark.h>

#include "engine/Fixed.h"
#include "engine/MemoryImage.h"
#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/SurfaceFrame.h"
#include "scenery/Backdrop.h"

namespace {
const uint32_t Width = 800, Height = 600, SparkCount = 20000;

struct Scene {
    SparkQueue queue{SparkCount};
    World world{0, 50, queue, FixedFromInt(-980), FixedFromInt(100), Width, Height};
    MemoryImage background, frame;

    Scene(uint32_t stereo, bool bursts)
    {
        GlobalPixelFormat().SetMasks(0xFF0000u, 0xFF00u, 0xFFu);
        SeedRandom(1);
        background.Create(Width, Height);
        frame.Create(Width, Height);
        std::unique_ptr<Backdrop> backdrop = CreateBackdrop(Width, Height, stereo);
        if (backdrop) backdrop->Draw(background);
        int32_t cx = 0, cy = 0, cz = 0;
        for (uint32_t i = 0; i < SparkCount; ++i) {
            if (i % 1000 == 0) {
                cx = RandomRange(-3500, 3500);
                cy = RandomRange(2000, 6000);
                cz = RandomRange(10000, 11000);
            }
            Fixed x = FixedFromInt(bursts ? cx + RandomRange(-600, 600) : RandomRange(-4000, 4000));
            Fixed y = FixedFromInt(bursts ? cy + RandomRange(-600, 600) : RandomRange(0, 7000));
            Fixed z = FixedFromInt(bursts ? cz + RandomRange(-600, 600) : RandomRange(9000, 14000));
            Pixel colour = GlobalPixelFormat().FromRgb(Rand() & 255, Rand() & 255, Rand() & 255);
            Spark* spark = new Spark(0, i, nullptr, x, y, z, 0, 0, 0, colour);
            spark->big = static_cast<uint8_t>(i & 1);
            if (!queue.Push(spark)) delete spark;
        }
    }
};

void Frame(benchmark::State& state, uint32_t stereo)
{
    Scene scene(stereo, state.range(0) != 0);
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

BENCHMARK(BM_FrameMono)->ArgName("bursts")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameStereo)->ArgName("bursts")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
