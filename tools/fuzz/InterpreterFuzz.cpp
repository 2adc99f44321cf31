// Fuzz target: any text as a firework script, launched into a small queue and run for a few frames
// with the show's bounds. Whatever the text, nothing may read outside it, overflow, leak or hang, and
// no run and no frame may cost more than the show allows.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/DuePass.h"
#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "engine/RunStats.h"
#include "engine/SoundSink.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"

namespace {
class SilentSounds : public SoundSink {
public:
    bool PlayEffect(int32_t, uint32_t, int32_t, int32_t) override { return true; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = false;
    if (!ready) {
        GlobalPixelFormat().SetMasks(0xFF0000, 0xFF00, 0xFF);
        ready = true;
    }
    // The text lives exactly as long as the sparks that point into it; the sanitizer catches any read
    // past its NUL.
    std::vector<char> text(data, data + size);
    text.push_back('\0');

    SeedRandom(static_cast<uint32_t>(size));
    SilentSounds sounds;
    {
        SparkQueue queue(64);
        World world(1000, 30, queue, FixedFromInt(-980), FixedFromInt(100), 800, 600, &sounds);
        RunStats stats;
        world.stats = &stats;
        Spark* firework = new Spark(world.now, world.now, text.data(), FixedFromInt(100), 0, FixedFromInt(10000),
                                    FixedFromInt(5), FixedFromInt(4500), FixedFromInt(-3), 0xFFFF00);
        if (!queue.Push(firework)) delete firework;
        for (int frame = 0; frame < 7; ++frame) {
            // The last pass has no new time: T0 and the like must not make a spark run twice in it.
            if (frame < 6) world.now += world.framePeriod;
            RunDueSparks(world);
            if (world.passCommands > world.frameBudget || stats.largestRun > MaxRunCost(world.commandLimit)) {
                std::fprintf(stderr, "frame %d cost %u commands (budget %u), largest run %u (bound %u)\n", frame,
                             world.passCommands, world.frameBudget, stats.largestRun, world.commandLimit);
                std::abort();
            }
        }
    }
    return 0;
}
