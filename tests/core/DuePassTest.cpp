#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "engine/DuePass.h"
#include "engine/RunStats.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "tests/Recorders.h"

namespace {

typedef std::vector<size_t> Counts;

class DuePass : public ::testing::Test {
protected:
    DuePass() { Start(100000, 64); }

    // A fresh queue and world at clock time `now`.
    void Start(uint32_t now, uint32_t capacity)
    {
        world.reset();
        queue.reset(new SparkQueue(capacity));
        world.reset(new World(now, 30, *queue, FixedFromInt(-980), 0, 800, 600, &sounds));
        world->stats = &stats;
    }

    // Queues a spark that last ran `elapsed` ms before now and wakes at `wakeTime`.
    void Add(const char* text, uint32_t wakeTime, uint32_t elapsed = 33)
    {
        const char* copy = texts.Script(texts.Add(text));
        Spark* s = new Spark(world->now - elapsed, wakeTime, copy, 0, FixedFromInt(1000), FixedFromInt(10000), 0,
                             0, 0, 0);
        if (!queue->Push(s)) delete s;
    }

    void NextFrame()
    {
        world->now += world->framePeriod;
        RunDueSparks(*world);
    }

    ScriptTable texts;
    SoundRecorder sounds;
    RunStats stats;
    std::unique_ptr<SparkQueue> queue;
    std::unique_ptr<World> world;
};

}  // namespace

TEST_F(DuePass, AFullQueueGivesTheParentsSlotToItsChild)
{
    Start(100000, 1);
    Add("s[p1 t] p0 t", world->now);
    RunDueSparks(*world);
    EXPECT_EQ(sounds.Plays(2), (Counts{1, 0})) << "the parent ran to its sleep";
    ASSERT_EQ(queue->Count(), 1u);
    EXPECT_STREQ(queue->At(0)->pc, "p1 t] p0 t") << "the child holds the only slot";
}

TEST_F(DuePass, SparksThatWakeNowWaitForTheNextFrame)
{
    // A zero-frame sleep, and a firework launched this very millisecond (no time to run in).
    uint32_t now = world->now;
    Add("d p0 T0 uv>0", now);
    Add("p1 t", now, 0);
    RunDueSparks(*world);
    EXPECT_EQ(sounds.Plays(2), (Counts{1, 0}));
    EXPECT_EQ(queue->RootWakeTime(), now + 33);
    NextFrame();
    EXPECT_EQ(sounds.Plays(2), (Counts{2, 1}));
}

TEST_F(DuePass, AWrappingClockNeitherCyclesNorStalls)
{
    // The clock wrapping (after 49 days) ends the pass; the spark that ran keeps running after it.
    Start(0xFFFFFFF0u, 64);
    Add("d p0 t uv>0", world->now);
    Add("d p1 t uv>0", world->now);
    RunDueSparks(*world);
    EXPECT_EQ(sounds.played.size(), 1u);
    NextFrame();
    EXPECT_GE(sounds.played.size(), 2u);
}

TEST_F(DuePass, ABudgetLeavesTheRestDueForTheNextFrameInOrder)
{
    // Each run costs the same (waking, two commands and a sound); the budget has room for nine, as the
    // ninth starts while a whole run up to the bound still fits. The tenth waits and runs first in the
    // next frame (the others, all due at once then, in no set order); none is lost or runs twice.
    const uint32_t run = WakeCost + 2 + SoundCost;
    world->commandLimit = 100;
    world->frameBudget = 8 * run + WakeCost + MaxRunCost(100);
    for (uint32_t i = 0; i < 10; ++i) Add(("d p" + std::to_string(i) + " t uv>0").c_str(), world->now - 10 + i);
    RunDueSparks(*world);
    NextFrame();
    ASSERT_EQ(sounds.played.size(), 18u);
    for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(sounds.played[static_cast<size_t>(i)].effect, i);
    Counts plays = sounds.Plays(10);
    EXPECT_EQ(std::count(plays.begin(), plays.end(), 2u), 8);
    EXPECT_EQ(stats.passesCut, 2u);
    EXPECT_EQ(stats.largestFrame, 9 * run);
}
