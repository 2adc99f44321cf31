// The ten built-in fireworks, run whole: what each is meant to do, and that each ends.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/Angles.h"
#include "engine/Random.h"
#include "engine/RunStats.h"
#include "engine/ScriptFile.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/PixelFormat.h"
#include "tests/Recorders.h"
#include "tools/fwsim/ScriptCheck.h"
#include "tools/fwsim/Simulation.h"

namespace {

const char* const ScriptsPath = FW_SOURCE_DIR "/resources/scripts.txt";

class BuiltInScripts : public ::testing::Test {
protected:
    BuiltInScripts()
        : queue(20000), world(50000, 50, queue, FixedFromInt(-980), FixedFromInt(100), 800, 600, 0,
                              FixedFromInt(3500), FixedFromInt(-5000), FixedFromInt(-4995), 0, &sounds)
    {
        FillAngleTable();
        GlobalPixelFormat().SetMasks(0xFF0000, 0xFF00, 0xFF);
        SeedRandom(17);
        world.stats = &stats;
        std::string problem;
        loaded = LoadScriptFile(ScriptsPath, scripts, problem);
    }

    void ClearQueue()
    {
        while (Spark* s = queue.PopMin()) delete s;
    }

    // Runs a rocket alone (its children are counted and thrown away each frame) until the run in
    // which it dies; the children of that run stay in the queue. Returns the frames it lived.
    int FlyRocket(Spark& rocket, std::vector<Fixed>& vyAtWake)
    {
        for (int frame = 1; frame < 2000; ++frame) {
            ClearQueue();
            world.now += world.framePeriod;
            vyAtWake.push_back(rocket.vy);
            if (!rocket.Run(world)) return frame;
        }
        return -1;
    }

    // Children in the queue whose block starts with `block`.
    uint32_t ChildrenRunning(const char* block) const
    {
        uint32_t n = 0;
        for (uint32_t i = 0; i < queue.Count(); ++i) n += std::strncmp(queue.At(i)->pc, block, std::strlen(block)) == 0;
        return n;
    }

    std::unique_ptr<Spark> Rocket(uint32_t script)
    {
        return std::unique_ptr<Spark>(new Spark(world.now, world.now, scripts.Script(script), FixedFromInt(-1200), 0,
                                                FixedFromInt(10500), FixedFromInt(10), FixedFromInt(4800),
                                                FixedFromInt(-7), GlobalPixelFormat().colorYellow));
    }

    bool loaded;
    ScriptTable scripts;
    SoundRecorder sounds;
    SparkQueue queue;
    World world;
    RunStats stats;
};

}  // namespace

TEST_F(BuiltInScripts, FileHoldsTenCleanScripts)
{
    ASSERT_TRUE(loaded);
    EXPECT_EQ(scripts.Count(), 10u);
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadScriptLines(ScriptsPath, lines));
    std::vector<ScriptFinding> findings = CheckScripts(lines);
    for (const ScriptFinding& f : findings) ADD_FAILURE() << f.line << ":" << f.column << ": " << f.message;
    EXPECT_STREQ(scripts.Script(0),
                 "R cFFFF00 p0 d %33s[%90r c7F0000 v0 l20~40 gwm T2 n] gwm t uv<250 p1 l100~150 s[R cFFFFFF "
                 "a1000~1250,0~360,0~360 l75~120 %25s[%90r cFFC000 v0 l20~40 gwm t n] gwm t n] n");
}

TEST_F(BuiltInScripts, RocketClimbsUntilItSlowsBelow250ThenBurstsIntoStarsAndDies)
{
    ASSERT_TRUE(loaded);
    auto rocket = Rocket(0);
    std::vector<Fixed> vyAtWake;
    int frames = FlyRocket(*rocket, vyAtWake);
    ASSERT_GT(frames, 50) << "a rocket climbs for a while";
    for (int i = 1; i + 1 < frames; ++i) ASSERT_GE(FixedToWhole(vyAtWake[i]), 250) << "frame " << i + 1;
    EXPECT_LT(FixedToWhole(vyAtWake.back()), 250);

    uint32_t stars = ChildrenRunning("R cFFFFFF a1000~1250");
    EXPECT_GE(stars, 100u);
    EXPECT_LE(stars, 150u);
    EXPECT_EQ(queue.Count(), stars) << "the bursting run spawns nothing but stars";
    for (uint32_t i = 0; i < queue.Count(); ++i) {
        EXPECT_EQ(queue.At(i)->wakeTime, rocket->wakeTime + world.framePeriod) << "due one frame after the rocket";
        EXPECT_EQ(queue.At(i)->y, rocket->y) << "stars start where the rocket burst";
    }
    ASSERT_GE(sounds.played.size(), 2u);
    EXPECT_EQ(sounds.played.front().effect, 0);
    EXPECT_EQ(sounds.played.back().effect, 1);
    EXPECT_EQ(stats.sparksKilled, 0u);
}

TEST_F(BuiltInScripts, ScriptThreesGreenStarsFlyStraightAwayFromTheViewer)
{
    ASSERT_TRUE(loaded);
    auto rocket = Rocket(3);
    std::vector<Fixed> vyAtWake;
    ASSERT_GT(FlyRocket(*rocket, vyAtWake), 0);
    const char* green = "R c00FF00";
    ASSERT_EQ(ChildrenRunning(green), 60u);

    // Run every green star once; the burst added its whole speed along +z and nothing across.
    world.now += world.framePeriod;
    std::vector<Spark*> stars;
    while (Spark* s = queue.PopMin()) stars.push_back(s);
    uint32_t checked = 0;
    for (Spark* s : stars) {
        if (std::strncmp(s->pc, green, std::strlen(green)) == 0) {
            ASSERT_TRUE(s->Run(world));
            EXPECT_NEAR(FixedToReal(s->vx), FixedToReal(rocket->vx), 5);
            EXPECT_NEAR(FixedToReal(s->vy), FixedToReal(rocket->vy) - 980 * 0.04, 5) << "two frames of gravity only";
            EXPECT_GE(FixedToReal(s->vz) - FixedToReal(rocket->vz), 1250 * 0.98);
            EXPECT_LE(FixedToReal(s->vz) - FixedToReal(rocket->vz), 1500);
            EXPECT_EQ(s->colour, 0x00FF00u);
            ++checked;
        }
        delete s;
    }
    EXPECT_EQ(checked, 60u);
}

TEST_F(BuiltInScripts, EveryScriptEndsWithNoSparkLeft)
{
    ASSERT_TRUE(loaded);
    for (int32_t script = 0; script < 10; ++script) {
        for (uint32_t seed : {1u, 2u, 99u}) {
            SimOptions options;
            options.script = script;
            options.seed = seed;
            SimResult result;
            Simulate(options, scripts, result);
            EXPECT_TRUE(result.allDied) << "script " << script << " seed " << seed;
            EXPECT_GT(result.framesRun, 100u) << "script " << script;
            EXPECT_LT(result.framesRun, 2000u) << "script " << script;
            EXPECT_EQ(result.sparksKilled, 0u) << "script " << script;
            EXPECT_EQ(result.sparksDropped, 0u) << "script " << script;
            EXPECT_GT(result.sparksMade, 100u) << "script " << script;
        }
    }
}
