// The built-in fireworks, run whole: the first one's climb and burst, and that every one ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "engine/ScriptFile.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "tools/fwsim/Simulation.h"

namespace {

class BuiltInScripts : public ::testing::Test {
protected:
    BuiltInScripts()
        : queue(20000), world(50000, 50, queue, FixedFromInt(-980), FixedFromInt(100), 800, 600)
    {
        GlobalPixelFormat().SetMasks(0xFF0000, 0xFF00, 0xFF);
        SeedRandom(17);
        std::string problem;
        loaded = LoadScriptFile(FW_SOURCE_DIR "/resources/scripts.txt", scripts, problem) && scripts.Count() == 10;
    }

    bool loaded;
    ScriptTable scripts;
    SparkQueue queue;
    World world;
};

}  // namespace

TEST_F(BuiltInScripts, RocketClimbsUntilItSlowsBelow250ThenBurstsIntoStarsAndDies)
{
    // The first firework runs alone (its children are thrown away each frame) until the run in which
    // it dies, whose children stay queued.
    ASSERT_TRUE(loaded);
    Spark rocket(world.now, world.now, scripts.Script(0), FixedFromInt(-1200), 0, FixedFromInt(10500),
                 FixedFromInt(10), FixedFromInt(4800), FixedFromInt(-7), GlobalPixelFormat().colorYellow);
    std::vector<Fixed> vyAtWake;
    do {
        while (Spark* s = queue.PopMin()) delete s;
        world.now += world.framePeriod;
        vyAtWake.push_back(rocket.vy);
    } while (rocket.Run(world) && vyAtWake.size() < 2000);
    ASSERT_TRUE(vyAtWake.size() > 50 && vyAtWake.size() < 2000) << "a rocket climbs for a while, then dies";
    for (size_t i = 1; i + 1 < vyAtWake.size(); ++i) ASSERT_GE(FixedToWhole(vyAtWake[i]), 250) << "frame " << i + 1;
    EXPECT_LT(FixedToWhole(vyAtWake.back()), 250);

    EXPECT_GE(queue.Count(), 100u) << "the bursting run's stars";
}

TEST_F(BuiltInScripts, EveryScriptEndsWithNoSparkLeft)
{
    ASSERT_TRUE(loaded);
    for (int32_t script = 0; script < 10; ++script) {
        for (uint32_t seed : {1u, 99u}) {
            SimOptions options;
            options.script = script;
            options.seed = seed;
            SimResult r;
            Simulate(options, scripts, r);
            EXPECT_TRUE(r.allDied && r.framesRun > 100 && r.framesRun < 2000 && r.sparksMade > 100)
                << script << " " << r.framesRun << " " << r.sparksMade;
            EXPECT_EQ(r.sparksKilled + r.sparksDropped, 0u) << "script " << script;
        }
    }
}
