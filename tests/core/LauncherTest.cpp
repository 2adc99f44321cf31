#include <gtest/gtest.h>

#include "engine/Launcher.h"
#include "engine/Random.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"

// Pins each launch value to its draw, in order; the ranges follow from the offsets and moduli.
TEST(Launcher, DrawsTheLaunchValuesInOrder)
{
    ScriptTable scripts;
    scripts.Add("first");
    scripts.Add("second");
    scripts.Add("third");
    SparkQueue queue(4);
    World world(1000, 30, queue, FixedFromInt(-980), 0, 640, 480);

    SeedRandom(4242);
    uint32_t draws[6];
    for (uint32_t& d : draws) d = Rand();

    SeedRandom(4242);
    Spark* s = NewFirework(world, 1066, scripts, 0xFFFF00);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->x, FixedFromInt(static_cast<int32_t>(draws[0] % 8000) - 4000));
    EXPECT_EQ(s->z, FixedFromInt(static_cast<int32_t>(draws[1] % 1000) + 10000));
    EXPECT_EQ(s->vx, FixedFromInt(static_cast<int32_t>(draws[2] % 50) - 25));
    EXPECT_EQ(s->vy, FixedFromInt(static_cast<int32_t>(draws[3] % 1000) + 4250));
    EXPECT_EQ(s->vz, FixedFromInt(static_cast<int32_t>(draws[4] % 50) - 25));
    EXPECT_EQ(s->pc, scripts.Script(draws[5] % 3));
    delete s;
    ScriptTable empty;
    EXPECT_EQ(NewFirework(world, 0, empty, 0), nullptr);
}

TEST(Launcher, LaunchRuleFiresOnEmptySkyAndOnAboutOneFrameInAHundred)
{
    SeedRandom(77);
    uint32_t before = RandomState();
    EXPECT_TRUE(ShouldLaunch(0));
    EXPECT_EQ(RandomState(), before);  // an empty sky draws nothing
    int launches = 0;
    for (int i = 0; i < 100000; ++i) launches += ShouldLaunch(10);
    EXPECT_NEAR(launches, 1000, 150);
}
