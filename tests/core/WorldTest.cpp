#include <gtest/gtest.h>

#include <vector>

#include "engine/SoundSink.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "tests/Recorders.h"

namespace {
World MakeWorld(SparkQueue& queue, uint32_t width, uint32_t height, SoundSink* sounds = nullptr, uint32_t frameRate = 30)
{
    return World(0, frameRate, queue, FixedFromInt(-980), FixedFromInt(100), width, height, sounds);
}
}  // namespace

TEST(World, ProjectsTheWorkedExample)
{
    SparkQueue queue(1);
    World world(0, 30, queue, 0, 0, 640, 480);
    int32_t sx = -1, sy = -1, sx2 = -1;
    EXPECT_TRUE(world.Project(FixedFromInt(4000), 0, FixedFromInt(10000), &sx, &sy, &sx2));
    EXPECT_EQ(sx, 563);
    EXPECT_EQ(sy, 453);
    EXPECT_LE(sx2, sx);
    EXPECT_NEAR(sx - sx2, 15, 1);
    EXPECT_EQ(world.framePeriod, 33u);
}

TEST(World, PointsOnOrBehindThePlaneAreNotVisibleAndUntouched)
{
    SparkQueue queue(1);
    World world(0, 60, queue, 0, 0, 640, 480);
    int32_t sx = 77, sy = 88, sx2 = 99;
    EXPECT_FALSE(world.Project(0, 0, World::screenZ, &sx, &sy, &sx2));
    EXPECT_FALSE(world.Project(0, 0, FixedFromInt(-6000), &sx, &sy, &sx2));
    EXPECT_EQ(sx, 77);
    EXPECT_EQ(sy, 88);
    EXPECT_EQ(sx2, 99);
    EXPECT_EQ(world.framePeriod, 16u);
}

TEST(World, VisibleRegionAtDepthTenThousand)
{
    SparkQueue queue(1);
    World world = MakeWorld(queue, 640, 480);
    int32_t sx, sy;
    EXPECT_TRUE(world.Project(FixedFromInt(-5240), FixedFromInt(3500), FixedFromInt(10000), &sx, &sy));
    EXPECT_FALSE(world.Project(FixedFromInt(-5300), FixedFromInt(3500), FixedFromInt(10000), &sx, &sy));
    EXPECT_TRUE(world.Project(0, FixedFromInt(-430), FixedFromInt(10000), &sx, &sy));
    EXPECT_FALSE(world.Project(0, FixedFromInt(-450), FixedFromInt(10000), &sx, &sy));
    EXPECT_TRUE(world.Project(0, FixedFromInt(7430), FixedFromInt(10000), &sx, &sy));
    EXPECT_FALSE(world.Project(0, FixedFromInt(7470), FixedFromInt(10000), &sx, &sy));
}

TEST(World, SoundsArePannedByTheirScreenColumn)
{
    SparkQueue queue(1);
    SoundRecorder sounds;
    World world = MakeWorld(queue, 640, 480, &sounds);
    const Fixed z = FixedFromInt(10000);
    world.PlaySoundAt(1, 0, FixedFromInt(3500), z);                  // centre
    world.PlaySoundAt(2, FixedFromInt(-5250), FixedFromInt(3500), z);  // column 0
    world.PlaySoundAt(3, FixedFromInt(9000), FixedFromInt(3500), z);   // right of the screen
    world.PlaySoundAt(0, FixedFromInt(100), FixedFromInt(90000), z);   // above, inside horizontally
    world.PlaySoundAt(0, FixedFromInt(-9000), FixedFromInt(3500), z);  // left of the screen
    world.PlaySoundAt(0, 0, 0, FixedFromInt(-5000));                  // behind the plane: centre
    ASSERT_EQ(sounds.played.size(), 6u);
    EXPECT_EQ(sounds.played[0].pan, 0);
    EXPECT_EQ(sounds.played[0].effect, 1);
    EXPECT_EQ(sounds.played[0].level, 10000);
    EXPECT_EQ(sounds.played[0].flags, 0u);
    EXPECT_EQ(sounds.played[1].pan, -10000);
    EXPECT_EQ(sounds.played[2].pan, 10000);
    EXPECT_EQ(sounds.played[3].pan, 10000);
    EXPECT_EQ(sounds.played[4].pan, -10000);
    EXPECT_EQ(sounds.played[5].pan, 0);
}

TEST(World, OnePixelWideSurfaceDoesNotDivideByZero)
{
    SparkQueue queue(1);
    SoundRecorder sounds;
    World world = MakeWorld(queue, 640, 480, &sounds);
    world.Resize(1, 1);
    EXPECT_EQ(world.halfWidth, 0u);
    world.PlaySoundAt(0, 0, FixedFromInt(3500), FixedFromInt(10000));
    ASSERT_EQ(sounds.played.size(), 1u);
    EXPECT_EQ(sounds.played[0].pan, 0);
    World silent = MakeWorld(queue, 640, 480);
    silent.PlaySoundAt(0, 0, 0, FixedFromInt(10000));  // no sink: nothing happens
}
