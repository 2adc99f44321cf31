#include "engine/DuePass.h"

#include "engine/RunStats.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"

bool PostponeToNextFrame(Spark& spark, const World& world)
{
    if (spark.wakeTime > world.now) return true;
    uint32_t period = world.framePeriod == 0 ? 1u : world.framePeriod;
    spark.wakeTime = world.now + period;
    return spark.wakeTime > world.now;
}

namespace {
// True when waking one more spark and a run up to the command limit still fit into the pass. The first
// run of a pass always starts, so that a budget set below the run limit still lets the show move.
bool RoomForARun(const World& world)
{
    return world.passCommands == 0 ||
           static_cast<uint64_t>(world.passCommands) + WakeCost + MaxRunCost(world.commandLimit) <= world.frameBudget;
}
}  // namespace

void RunDueSparks(World& world, DueSparkObserver* observer)
{
    const uint32_t now = world.now;
    SparkQueue& queue = world.queue;
    world.passCommands = 0;
    bool more = true;
    while (more && queue.Count() > 0 && !(queue.RootWakeTime() > now)) {
        if (!RoomForARun(world)) {
            // The rest stay queued as they are; being the earliest, they run first in the next frame.
            if (world.stats != nullptr) ++world.stats->passesCut;
            break;
        }
        Spark* spark = queue.PopMin();
        world.passCommands += WakeCost;
        if (observer != nullptr) observer->BeforeRun(*spark);
        if (!spark->Run(world)) {
            delete spark;
            continue;
        }
        more = PostponeToNextFrame(*spark, world);
        if (!queue.Push(spark)) {
            // Its own children took the slot it left.
            delete spark;
            if (world.stats != nullptr) ++world.stats->sparksDropped;
        } else if (observer != nullptr) {
            observer->AfterRequeue(*spark);
        }
    }
    if (world.stats != nullptr && world.passCommands > world.stats->largestFrame)
        world.stats->largestFrame = world.passCommands;
}
