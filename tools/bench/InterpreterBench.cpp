// How fast the due pass runs a full queue of stars: 20000 sparks, all due, each running one pass of a
// star's loop (drag, gravity, motion, sleep) per frame, as a big burst does at its peak; alone, and
// with the GDI window's drawing done in memory (each big star erased and plotted again). And how long
// the slow script the fuzzer once found takes for 500 frames, as fwsim runs it.
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/DuePass.h"
#include "engine/MemoryImage.h"
#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "engine/ScriptFile.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/WindowFrame.h"
#include "scenery/Backdrop.h"
#include "tools/fwsim/Simulation.h"

namespace {

const uint32_t QueueSize = 20000;

World MakeWorld(SparkQueue& queue)
{
    return World(1000, 50, queue, FixedFromInt(-980), FixedFromInt(100), 800, 600);
}

void FillWithStars(SparkQueue& queue, const World& world, const char* script)
{
    for (uint32_t i = 0; i < QueueSize; ++i) {
        Fixed spread = FixedFromInt(static_cast<int32_t>(Rand() % 2000));
        Spark* s = new Spark(world.now - world.framePeriod, world.now, script, spread, FixedFromInt(5000),
                             FixedFromInt(10000), FixedFromInt(300), FixedFromInt(800), spread, 0xFFFFFF);
        if (!queue.Push(s)) delete s;
    }
}

// Stars that never die: the loop count 0 runs about four billion passes, one per frame.
template <class Pass> void StarLoop(benchmark::State& state, const char* star, Pass pass)
{
    SeedRandom(7);
    SparkQueue queue(QueueSize);
    World world = MakeWorld(queue);
    FillWithStars(queue, world, star);
    for (auto _ : state) {
        pass(world);
        world.now += world.framePeriod;
    }
    if (queue.Count() != QueueSize) state.SkipWithError("sparks were lost");
    state.counters["sparks_per_second"] =
        benchmark::Counter(static_cast<double>(QueueSize), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_DuePassStarLoop(benchmark::State& state)
{
    GlobalPixelFormat().SetMasks(0xFF0000, 0xFF00, 0xFF);
    StarLoop(state, "l0 gwm t n", [](World& world) { RunDueSparks(world); });
}
BENCHMARK(BM_DuePassStarLoop)->Unit(benchmark::kMillisecond);

// The same stars, big, in the GDI window's 3-3-2 format on an 800x600 picture.
void BM_WindowFrameStarLoop(benchmark::State& state)
{
    GlobalPixelFormat().SetMasks(0xE0, 0x1C, 0x03);
    MemoryImage picture, backdrop;
    std::unique_ptr<Backdrop> sky = CreateBackdrop(800, 600, 0);
    if (!picture.Create(800, 600) || !backdrop.Create(800, 600) || sky == nullptr) {
        state.SkipWithError("out of memory");
        return;
    }
    sky->Draw(backdrop);
    StarLoop(state, "R l0 gwm t n",
             [&](World& world) { benchmark::DoNotOptimize(RunWindowFrame(world, picture, backdrop, 0)); });
}
BENCHMARK(BM_WindowFrameStarLoop)->Unit(benchmark::kMillisecond);

// Loops that never sleep, in every spark it makes: each run stops at its bound, each frame at its budget.
void BM_SlowScript500Frames(benchmark::State& state)
{
    ScriptTable scripts;
    std::string problem;
    if (!LoadScriptFile(FW_SOURCE_DIR "/tests/fuzz/interpreter/slow-script.txt", scripts, problem)) {
        state.SkipWithError(problem.c_str());
        return;
    }
    SimOptions options;
    options.frames = 500;
    SimResult result;
    for (auto _ : state) Simulate(options, scripts, result);
    state.counters["largest_frame"] = result.largestFrame;
}
BENCHMARK(BM_SlowScript500Frames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
