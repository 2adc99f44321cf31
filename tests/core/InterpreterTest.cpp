#include <gtest/gtest.h>

#include <memory>

#include "engine/Angles.h"
#include "engine/Random.h"
#include "engine/RunStats.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/PixelFormat.h"
#include "tests/Recorders.h"

namespace {

const uint32_t Now = 100000;

class Interpreter : public ::testing::Test {
protected:
    Interpreter()
        : queue(64), world(Now, 30, queue, FixedFromInt(-1000), 0, 800, 600, 0, FixedFromInt(3500), FixedFromInt(-5000),
                           FixedFromInt(-4995), 0, &sounds)
    {
        FillAngleTable();
        GlobalPixelFormat().SetMasks(0xFF0000, 0xFF00, 0xFF);
        SeedRandom(1);
        world.stats = &stats;
    }

    // A spark due now, last run `elapsed` milliseconds ago, at rest high above the ground. The text is
    // an exact-size heap copy, so a read past its NUL is caught by the sanitizers.
    std::unique_ptr<Spark> Make(const char* text, uint32_t elapsed = 33)
    {
        const char* copy = texts.Script(texts.Add(text));
        return std::unique_ptr<Spark>(
            new Spark(Now - elapsed, Now, copy, 0, FixedFromInt(2000), FixedFromInt(10000), 0, 0, 0, 0));
    }

    size_t Played(int32_t effect) const
    {
        size_t n = 0;
        for (const PlayedSound& s : sounds.played) n += s.effect == effect ? 1 : 0;
        return n;
    }

    ScriptTable texts;
    SoundRecorder sounds;
    SparkQueue queue;
    World world;
    RunStats stats;
};

}  // namespace

TEST_F(Interpreter, BounceMirrorsBelowTheGroundAndHalvesVelocityBeforeZMoves)
{
    auto s = Make("m t", 500);
    s->y = FixedFromInt(10);
    s->vy = FixedFromInt(-100);
    s->vx = FixedFromInt(64);
    s->vz = FixedFromInt(-32);
    ASSERT_TRUE(s->Run(world));
    EXPECT_EQ(s->y, FixedFromInt(40));
    EXPECT_EQ(s->vy, FixedFromInt(50));
    EXPECT_EQ(s->x, FixedFromInt(32)) << "x moves with the velocity before the bounce";
    EXPECT_EQ(s->vx, FixedFromInt(32));
    EXPECT_EQ(s->vz, FixedFromInt(-16));
    EXPECT_EQ(s->z, FixedFromInt(10000 - 8)) << "z moves with the halved vz";
}

TEST_F(Interpreter, GravityActsOnlyAboveTheGroundAndBeforeMotion)
{
    auto grounded = Make("g t", 1000);
    grounded->y = 0;
    ASSERT_TRUE(grounded->Run(world));
    EXPECT_EQ(grounded->vy, 0);

    auto resting = Make("gm gm t", 1000);
    resting->y = 0;
    ASSERT_TRUE(resting->Run(world));
    EXPECT_EQ(resting->y, 0);
    EXPECT_EQ(resting->vy, 0);

    auto high = Make("v0 g m t", 1000);
    high->vy = FixedFromInt(300);
    ASSERT_TRUE(high->Run(world));
    EXPECT_EQ(high->vy, FixedFromInt(-1000));
    EXPECT_EQ(high->y, FixedFromInt(1000));

    auto once = Make("gwm t", 500);
    ASSERT_TRUE(once->Run(world));
    auto twice = Make("gwm gwm t", 500);
    ASSERT_TRUE(twice->Run(world));
    EXPECT_LT(twice->vy, FixedSub(once->vy, FixedFromInt(300))) << "the second gwm uses the same dt again";
}

TEST_F(Interpreter, ElapsedTimeIsMeasuredPerRunWithoutSmoothing)
{
    auto a = Make("m t", 33);
    a->vx = FixedOne;
    ASSERT_TRUE(a->Run(world));
    EXPECT_EQ(a->x, 1081);
    EXPECT_EQ(a->lastRun, Now);
    EXPECT_EQ(a->wakeTime, Now + 33);

    auto b = Make("m t", 34);
    b->vx = FixedOne;
    ASSERT_TRUE(b->Run(world));
    EXPECT_EQ(b->x, 1114);

    // Zero elapsed time: nothing runs, nothing changes, and the spark lives.
    auto idle = Make("p0 m t", 0);
    idle->vx = FixedOne;
    const char* start = idle->pc;
    ASSERT_TRUE(idle->Run(world));
    EXPECT_EQ(idle->pc, start);
    EXPECT_EQ(idle->x, 0);
    EXPECT_EQ(idle->wakeTime, Now);
    EXPECT_TRUE(sounds.played.empty());
}

TEST_F(Interpreter, DragPullsTowardTheWindByAThirdPerSecond)
{
    auto s = Make("w t", 1000);
    s->vx = FixedFromInt(1000);
    s->vy = FixedFromInt(-1000);
    s->vz = FixedFromInt(200);
    ASSERT_TRUE(s->Run(world));
    EXPECT_NEAR(FixedToReal(s->vx), 650, 1);
    EXPECT_NEAR(FixedToReal(s->vy), -650, 1);
    EXPECT_NEAR(FixedToReal(s->vz), 130, 1);

    world.wind = FixedFromInt(100);
    auto still = Make("w t", 1000);
    ASSERT_TRUE(still->Run(world));
    EXPECT_NEAR(FixedToReal(still->vx), 35, 1);
}

TEST_F(Interpreter, VelocityCommandsTurnAnglesIntoComponents)
{
    auto up = Make("v100,90 t");
    up->vz = FixedFromInt(7);
    ASSERT_TRUE(up->Run(world));
    EXPECT_EQ(up->vx, 0);
    EXPECT_EQ(up->vy, FixedFromInt(100));
    EXPECT_EQ(up->vz, 0) << "two operands set vz to 0";

    auto away = Make("a1000,45,0 t", 1);
    away->vx = FixedFromInt(5);
    away->vy = FixedFromInt(6);
    ASSERT_TRUE(away->Run(world));
    EXPECT_EQ(away->vx, FixedFromInt(5));
    EXPECT_EQ(away->vy, FixedFromInt(6));
    EXPECT_EQ(away->vz, FixedFromInt(1000));

    auto sideways = Make("a200,180,90 a300,90 t");
    sideways->vz = FixedFromInt(9);
    ASSERT_TRUE(sideways->Run(world));
    EXPECT_EQ(sideways->vx, FixedFromInt(-200));
    EXPECT_EQ(sideways->vy, FixedFromInt(300));
    EXPECT_EQ(sideways->vz, FixedFromInt(9)) << "a with two operands leaves vz alone, cos 90 adds 0";

    auto stop = Make("v0 t");
    stop->vx = stop->vy = stop->vz = FixedFromInt(50);
    ASSERT_TRUE(stop->Run(world));
    EXPECT_EQ(stop->vx, 0);
    EXPECT_EQ(stop->vy, 0);
    EXPECT_EQ(stop->vz, 0);
}

TEST_F(Interpreter, MalformedVelocityCommandsKillTheSparkButTheRunGoesOn)
{
    for (const char* text : {"a500 p0 t", "v5 p0 t", "a5x p0 t"}) {
        sounds.played.clear();
        auto s = Make(text);
        EXPECT_FALSE(s->Run(world)) << text;
        EXPECT_EQ(Played(0), 1u) << text << ": the rest of the run still executes";
        EXPECT_EQ(s->wakeTime, Now + 33) << text << ": it still went to sleep";
    }
    EXPECT_EQ(stats.sparksKilled, 3u);
}

TEST_F(Interpreter, ColourReadsThreeHexBytesIntoThePixelFormat)
{
    auto s = Make("c12345G t");
    ASSERT_TRUE(s->Run(world));
    EXPECT_EQ(s->colour, 0x123450u);

    GlobalPixelFormat().SetMasks(0xE0, 0x1C, 0x03);
    auto narrow = Make("cFFC000 R t");
    ASSERT_TRUE(narrow->Run(world));
    EXPECT_EQ(narrow->colour, 0xF4u);
    EXPECT_EQ(narrow->big, 1);
}

TEST_F(Interpreter, ReadersStopAtTheEndOfTheText)
{
    // Each of these ends inside an operand; the spark dies on the NUL and reads nothing beyond it.
    for (const char* text : {"c12", "p", "a5", "a5,", "v1,", "u", "uv", "uv<", "%0c1", "%0s[t", "s[t", "l"}) {
        auto s = Make(text);
        EXPECT_FALSE(s->Run(world)) << text;
        EXPECT_EQ(*s->pc, '\0') << text;
    }
    auto red = Make("c12");
    red->Run(world);
    EXPECT_EQ(red->colour, 0x120000u);
}

TEST_F(Interpreter, SpawnedChildrenWakeOneFrameAfterTheParentsDueTime)
{
    auto parent = Make("l2 s[t] n t");
    parent->wakeTime = Now - 10;  // due a little before this frame's time
    parent->x = FixedFromInt(123);
    parent->colour = 0xABCDEF;
    ASSERT_TRUE(parent->Run(world));
    ASSERT_EQ(queue.Count(), 2u);
    for (uint32_t i = 0; i < 2; ++i) {
        const Spark* child = queue.At(i);
        EXPECT_EQ(child->wakeTime, Now - 10 + 33);
        EXPECT_EQ(child->lastRun, Now - 33) << "the child measures from the parent's last sleep";
        EXPECT_STREQ(child->pc, "t] n t");
        EXPECT_EQ(child->x, FixedFromInt(123));
        EXPECT_EQ(child->colour, 0xABCDEFu);
        EXPECT_EQ(child->loopCount, 0u);
        EXPECT_EQ(child->loopMark, nullptr);
    }
    EXPECT_EQ(parent->wakeTime, Now + 33);
    EXPECT_EQ(stats.sparksSpawned, 2u);

    // A child runs its block and dies at the closing bracket, left on it.
    Spark* child = queue.PopMin();
    world.now += 33;
    EXPECT_TRUE(child->Run(world));
    world.now += 33;
    EXPECT_FALSE(child->Run(world));
    EXPECT_EQ(*child->pc, ']');
    delete child;
}

TEST_F(Interpreter, SpawnWithoutABracketIsAnErrorAndChildrenThatDoNotFitAreDropped)
{
    auto s = Make("sx p0 t");
    EXPECT_FALSE(s->Run(world));
    EXPECT_EQ(Played(0), 1u);

    SparkQueue tiny(1);
    World small(Now, 30, tiny, 0, 0, 800, 600, 0, 0, FixedFromInt(-5000), FixedFromInt(-4995), 0, nullptr);
    small.stats = &stats;
    auto spawner = Make("s[t] s[t] s[t] t");
    EXPECT_TRUE(spawner->Run(small));
    EXPECT_EQ(tiny.Count(), 1u);
    EXPECT_EQ(stats.sparksSpawned, 3u);
    EXPECT_EQ(stats.sparksDropped, 2u);
}

TEST_F(Interpreter, ChancePrefixGuardsTheNextCommandOnly)
{
    const int runs = 4000;
    for (int i = 0; i < runs; ++i) Make("%50%50p0 t")->Run(world);
    EXPECT_NEAR(static_cast<double>(Played(0)) / runs, 0.75, 0.03);

    sounds.played.clear();
    for (int i = 0; i < 200; ++i) Make("%50 p1 %0p2 %100p3 %-5p4 t")->Run(world);
    EXPECT_EQ(Played(1), 200u) << "the blank took the chance";
    EXPECT_EQ(Played(2), 0u);
    EXPECT_EQ(Played(3), 200u);
    EXPECT_EQ(Played(4), 200u) << "a negative chance compares as a huge unsigned number";

    // A skipped spawn skips its whole block, a skipped until its whole test.
    auto skip = Make("%0s[p5] %0uv<1 p6 t");
    ASSERT_TRUE(skip->Run(world));
    EXPECT_EQ(Played(5), 0u);
    EXPECT_EQ(Played(6), 1u);
    EXPECT_EQ(queue.Count(), 0u);
}

TEST_F(Interpreter, LoopsRepeatTheirBodyAndDoNotNest)
{
    Make("l3 p0 n t")->Run(world);
    EXPECT_EQ(Played(0), 3u);

    sounds.played.clear();
    Make("l1 p0 n t")->Run(world);
    EXPECT_EQ(Played(0), 1u);

    // The inner l is an error and its digit another; the body still runs both passes.
    sounds.played.clear();
    auto nested = Make("l2 l3 p0 n t");
    EXPECT_FALSE(nested->Run(world));
    EXPECT_EQ(Played(0), 2u);

    auto twice = Make("d d t");
    EXPECT_FALSE(twice->Run(world));

    // An n with nothing open counts 0 down to a huge number and has nowhere to jump.
    sounds.played.clear();
    auto stray = Make("n p0 t");
    EXPECT_FALSE(stray->Run(world));
    EXPECT_EQ(Played(0), 1u);
}

TEST_F(Interpreter, LoopStateSurvivesSleeps)
{
    auto s = Make("l3 p0 t n p1");
    int runs = 0;
    while (s->Run(world) && runs < 10) {
        ++runs;
        world.now += 33;
    }
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(Played(0), 3u);
    EXPECT_EQ(Played(1), 1u);
}

TEST_F(Interpreter, UntilLeavesTheBlockWhenItsTestHolds)
{
    // A climbing spark: each run moves once and sleeps, until it is above 100.
    auto s = Make("d m t uy>100 p1");
    s->y = 0;
    s->vy = FixedFromInt(1000);
    int runs = 0;
    while (s->Run(world) && runs < 20) {
        ++runs;
        world.now += 33;
    }
    EXPECT_EQ(runs, 4) << "33, 66, 99, 132";
    EXPECT_EQ(Played(1), 1u);
    EXPECT_EQ(s->loopMark, nullptr);

    // u can end an l loop early.
    sounds.played.clear();
    auto early = Make("l10 p0 uv<1 p1 t");
    ASSERT_TRUE(early->Run(world));
    EXPECT_EQ(Played(0), 1u);
    EXPECT_EQ(Played(1), 1u);
    EXPECT_EQ(early->loopMark, nullptr);
}

TEST_F(Interpreter, UntilErrors)
{
    // A failing test with nothing open is an error, and the run goes on after it.
    auto lost = Make("uy<5 p0 t");
    EXPECT_FALSE(lost->Run(world));
    EXPECT_EQ(Played(0), 1u);

    // A holding test with nothing open is fine.
    auto fine = Make("uy>5 t");
    EXPECT_TRUE(fine->Run(world));

    // An unknown axis is an error and reads as 0; the comparison still decides.
    auto axis = Make("d uq<1 t");
    EXPECT_FALSE(axis->Run(world));
    EXPECT_EQ(axis->loopMark, nullptr);

    // Any comparison but < and > fails the test, which jumps back here until the bound kills it.
    world.commandLimit = 1000;
    auto comparison = Make("d uy=2000 t");
    EXPECT_FALSE(comparison->Run(world));
}

TEST_F(Interpreter, SleepsSetTheWakeTimeInFrames)
{
    auto s = Make("T3");
    ASSERT_TRUE(s->Run(world));
    EXPECT_EQ(s->lastRun, Now);
    EXPECT_EQ(s->wakeTime, Now + 99);

    // Zero or fewer frames sleep until now (the due pass then moves the spark to the next frame).
    for (const char* text : {"T0", "T-2", "T-100000"}) {
        auto back = Make(text);
        ASSERT_TRUE(back->Run(world));
        EXPECT_EQ(back->lastRun, Now);
        EXPECT_EQ(back->wakeTime, Now) << text;
    }
}

TEST_F(Interpreter, TheEndOfTheTextOrBlockKillsTheSpark)
{
    auto empty = Make("");
    EXPECT_FALSE(empty->Run(world));

    auto bracket = Make("p0 ] p1 t");
    EXPECT_FALSE(bracket->Run(world));
    EXPECT_STREQ(bracket->pc, "] p1 t");
    EXPECT_EQ(Played(1), 0u);
    EXPECT_EQ(stats.sparksKilled, 0u) << "dying at the end is not an error";
}

TEST_F(Interpreter, CarriageReturnsAndUnknownCharactersKillAtTheEndOfTheRun)
{
    for (const char* text : {"p0\r\np0 t", "p0 \x01 p0 t", "p0 \xE9 p0 t", "p0 Q p0 t"}) {
        sounds.played.clear();
        auto s = Make(text);
        EXPECT_FALSE(s->Run(world));
        EXPECT_EQ(Played(0), 2u);
    }
}

TEST_F(Interpreter, RunsThatNeverSleepEndAtTheCommandBound)
{
    for (const char* text : {"l0 n", "d uv>5", "l0 s[t] n"}) {
        stats = RunStats();
        auto s = Make(text);
        EXPECT_FALSE(s->Run(world)) << text;
        EXPECT_EQ(stats.commands, DefaultCommandLimit) << text;
        EXPECT_EQ(stats.sparksKilled, 1u) << text;
    }
    while (Spark* s = queue.PopMin()) delete s;

    // Just under the bound is fine: l, 49 passes of p and n, then the last p, n and t.
    world.commandLimit = 102;
    EXPECT_TRUE(Make("l50 p0 n t")->Run(world));
    world.commandLimit = 101;
    EXPECT_FALSE(Make("l50 p0 n t")->Run(world));
}

TEST_F(Interpreter, SoundsArePannedByTheSparksPlace)
{
    auto s = Make("p2 t");
    s->x = FixedFromInt(-3000);
    ASSERT_TRUE(s->Run(world));
    ASSERT_EQ(sounds.played.size(), 1u);
    EXPECT_EQ(sounds.played[0].effect, 2);
    EXPECT_EQ(sounds.played[0].pan, world.PanOf(s->x, s->y, s->z));
    EXPECT_LT(sounds.played[0].pan, 0);
}
