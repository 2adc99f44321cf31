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

void RunDueSparks(World& world, DueSparkObserver* observer)
{
    const uint32_t now = world.now;
    SparkQueue& queue = world.queue;
    bool more = true;
    while (more && queue.Count() > 0 && !(queue.RootWakeTime() > now)) {
        Spark* spark = queue.PopMin();
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
}
