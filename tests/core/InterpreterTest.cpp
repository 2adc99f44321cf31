#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "engine/RunStats.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "tests/Recorders.h"

namespace {

const uint32_t Now = 100000;

using Vec = std::array<Fixed, 3>;
using Counts = std::vector<size_t>;
Vec Whole(int32_t x, int32_t y, int32_t z) { return {FixedFromInt(x), FixedFromInt(y), FixedFromInt(z)}; }
Vec Velocity(const Spark& s) { return {s.vx, s.vy, s.vz}; }

class Interpreter : public ::testing::Test {
protected:
    Interpreter()
        : queue(64), world(Now, 30, queue, FixedFromInt(-1000), 0, 800, 600, &sounds)
    {
        GlobalPixelFormat().SetMasks(0xFF0000, 0xFF00, 0xFF);
        SeedRandom(1);
        world.stats = &stats;
    }

    // A spark due now, last run `elapsed` ms ago, high above the ground with velocity v. The text is an
    // exact-size heap copy, so a read past its NUL is caught by the sanitizers.
    std::unique_ptr<Spark> Make(const char* text, uint32_t elapsed = 33, Vec v = Vec())
    {
        return std::unique_ptr<Spark>(new Spark(Now - elapsed, Now, texts.Script(texts.Add(text)), 0,
                                                FixedFromInt(2000), FixedFromInt(10000), v[0], v[1], v[2], 0));
    }

    ScriptTable texts;
    SoundRecorder sounds;
    SparkQueue queue;
    World world;
    RunStats stats;
};

}  // namespace

TEST_F(Interpreter, MotionUsesThisRunsElapsedTime)
{
    // Below the ground: mirrored back, velocity halved and vy reversed; x and y moved with the old
    // velocity, z moves after the bounce with the halved vz.
    auto bounce = Make("m t", 500, Whole(64, -100, -32));
    bounce->y = FixedFromInt(10);
    ASSERT_TRUE(bounce->Run(world));
    EXPECT_EQ((Vec{bounce->x, bounce->y, bounce->z}), Whole(32, 40, 10000 - 8));
    EXPECT_EQ(Velocity(*bounce), Whole(32, 50, -16));

    // Gravity acts only above the ground.
    auto grounded = Make("g t", 1000);
    grounded->y = 0;
    ASSERT_TRUE(grounded->Run(world));
    EXPECT_EQ(grounded->vy, 0);

    // Drag pulls vx toward the wind, vy and vz toward rest, by 0.35 per second.
    world.wind = FixedFromInt(100);
    auto drag = Make("w t", 1000, Whole(1000, -1000, 200));
    ASSERT_TRUE(drag->Run(world));
    EXPECT_NEAR(FixedToReal(drag->vx), 685, 1);
    EXPECT_NEAR(FixedToReal(drag->vy), -650, 1);
    EXPECT_NEAR(FixedToReal(drag->vz), 130, 1);
}

TEST_F(Interpreter, VelocityCommandsTurnAnglesIntoComponents)
{
    struct Case {
        const char* text;
        Vec before, after;
    } cases[] = {
        {"v100,90 t", Whole(0, 0, 7), Whole(0, 100, 0)},               // two operands set vz to 0
        {"a1000,45,0 t", Whole(5, 6, 0), Whole(5, 6, 1000)},           // phi 0 is straight along +z
        {"a200,180,90 a300,90 t", Whole(0, 0, 9), Whole(-200, 300, 9)},  // two-operand a leaves vz alone
        {"v0 t", Whole(50, 50, 50), Whole(0, 0, 0)},
        {"v300,0 t", Whole(5, 6, 7), Whole(300, 0, 0)},                 // v sets x, it does not add
    };
    for (const Case& c : cases) {
        auto s = Make(c.text, 33, c.before);
        ASSERT_TRUE(s->Run(world)) << c.text;
        EXPECT_EQ(Velocity(*s), c.after) << c.text;
    }
}

TEST_F(Interpreter, ColourTakesSixHexDigitsInEitherCase)
{
    // A character that is no hex digit counts as 0.
    const std::pair<const char*, uint32_t> colours[] = {
        {"c9aF0b1 t", 0x9AF0B1u}, {"cA09f8e t", 0xA09F8Eu}, {"c12345G t", 0x123450u}};
    for (const auto& c : colours) {
        auto s = Make(c.first);
        ASSERT_TRUE(s->Run(world));
        EXPECT_EQ(s->colour, c.second) << c.first;
    }
}

TEST_F(Interpreter, TextThatEndsOrHoldsJunkKillsTheSparkSafely)
{
    // The end of a block kills the spark without counting as an error.
    EXPECT_FALSE(Make("p0 ] p1 t")->Run(world));
    EXPECT_EQ(sounds.Plays(2), (Counts{1, 0}));
    EXPECT_EQ(stats.sparksKilled, 0u);

    // Each ends inside an operand, so the spark dies on the NUL, or has an s without its block. A cut
    // colour keeps the digits it read.
    for (const char* text : {"c12", "p", "a5,", "v1,", "u", "uv<", "%0c1", "%0s[t", "s[t", "l", "s p0 t"}) {
        auto s = Make(text);
        EXPECT_FALSE(s->Run(world)) << text;
        EXPECT_EQ(s->colour, text[0] == 'c' ? 0x120000u : 0u) << text;
    }

    // Carriage returns, unknown characters and malformed operands are errors; the run goes on to its
    // sleep first.
    for (const char* text : {"p0\r\np0 t", "p0 \x01 p0 t", "p0 \xE9 p0 t", "p0 Q p0 t", "p0 a500 p0 t", "p0 v5 p0 t",
                             "p0 a5x p0 t"}) {
        sounds.played.clear();
        auto s = Make(text);
        EXPECT_FALSE(s->Run(world)) << text;
        EXPECT_EQ(sounds.Plays(1), Counts{2}) << text;
    }
}

TEST_F(Interpreter, SpawnedChildrenWakeOneFrameAfterTheParentsDueTime)
{
    auto parent = Make("l2 s[t] n t");
    parent->wakeTime = Now - 10;  // due a little before this frame's time
    ASSERT_TRUE(parent->Run(world));
    ASSERT_EQ(queue.Count(), 2u);
    for (uint32_t i = 0; i < 2; ++i) {
        EXPECT_EQ(queue.At(i)->wakeTime, Now - 10 + 33);
        EXPECT_EQ(queue.At(i)->lastRun, Now - 33) << "the child measures from the parent's last sleep";
    }
    EXPECT_EQ(parent->wakeTime, Now + 33);
}

TEST_F(Interpreter, ChancePrefixGuardsTheNextCommandOnly)
{
    // A failed chance skips one command with its operands, even another chance, a spawn's whole block
    // or an until's whole test. "%50 p2" spends the chance on the blank; a negative chance compares
    // as a huge unsigned number.
    int alive = 0;
    for (int i = 0; i < 100; ++i) alive += Make("%0%100p0 %100%0p1 %50 p2 %0p3 %-5p4 %0s[p5] %0uv<1 p6 t")->Run(world);
    EXPECT_EQ(alive, 100);
    EXPECT_EQ(sounds.Plays(7), (Counts{100, 0, 100, 0, 100, 0, 100}));
    EXPECT_EQ(queue.Count(), 0u);
}

TEST_F(Interpreter, LoopsRepeatSurviveSleepsDoNotNestAndEndWhenAnUntilHolds)
{
    Make("l3 p0 n t")->Run(world);
    auto sleeper = Make("l3 p1 t n p2");
    int runs = 0;
    for (; sleeper->Run(world) && runs < 10; ++runs) world.now += 33;
    EXPECT_EQ(runs, 3);
    // The inner l is an error and its digit another; the body still runs both passes.
    EXPECT_FALSE(Make("l2 l3 p3 n t")->Run(world));
    EXPECT_FALSE(Make("d d t")->Run(world));
    // An n with nothing open counts 0 down to a huge number and has nowhere to jump.
    EXPECT_FALSE(Make("n p4 t")->Run(world));

    auto early = Make("l10 p5 uv<1 p6 t");
    ASSERT_TRUE(early->Run(world)) << "u ends an l loop early";
    EXPECT_EQ(early->loopMark, nullptr);
    // A failing test with nothing open is an error, and the run goes on after it; a holding one is fine.
    EXPECT_FALSE(Make("uy<5 p7 t")->Run(world));
    EXPECT_TRUE(Make("uy>5 t")->Run(world));
    EXPECT_EQ(sounds.Plays(8), (Counts{3, 3, 1, 2, 1, 1, 1, 1}));
}

TEST_F(Interpreter, SleepsSetTheWakeTimeInFramesAndNeverBeforeNow)
{
    const std::pair<const char*, uint32_t> sleeps[] = {{"T3", 99}, {"T1", 33}, {"T0", 0}, {"T-2", 0}, {"T-100000", 0}};
    for (const auto& c : sleeps) {
        auto s = Make(c.first);
        ASSERT_TRUE(s->Run(world)) << c.first;
        EXPECT_EQ(s->lastRun, Now) << c.first;
        EXPECT_EQ(s->wakeTime, Now + c.second) << c.first;
    }
}

TEST_F(Interpreter, RunsEndAtTheCommandBoundWhateverTheyRead)
{
    // Loops that never sleep, and texts too long to read in one run: blanks, a number, a skipped block.
    // Every 16 characters read count as a command, so each is cut at the bound and killed.
    const uint32_t limit = 2000;
    world.commandLimit = limit;
    const std::string endless[] = {"l0 n", "d uv>5", "l0 s[t] n", std::string(100000, ' ') + "t",
                                   "p" + std::string(100000, '7') + " t", "s[" + std::string(100000, 'g') + "] t",
                                   "l500 p0 n p" + std::string(100000, '7') + " t"};
    for (const std::string& text : endless) {
        world.passCommands = 0;
        EXPECT_FALSE(Make(text.c_str())->Run(world)) << text.substr(0, 12);
        EXPECT_TRUE(world.passCommands >= limit && world.passCommands <= MaxRunCost(limit)) << world.passCommands;
        while (Spark* s = queue.PopMin()) delete s;
    }
    EXPECT_EQ(stats.sparksKilled, 7u);
}
