#include <gtest/gtest.h>

#include <vector>

#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "tests/Recorders.h"

TEST(World, ProjectsTheWorkedExampleAtAnySizeAndLeavesHiddenPointsUntouched)
{
    SparkQueue queue(1);
    World world(0, 30, queue, 0, 0, 640, 480);
    EXPECT_EQ(world.framePeriod, 33u);
    // The edges of the visible region at depth 10000.
    const int32_t points[][3] = {{-5240, 3500, 1}, {-5300, 3500, 0}, {5245, 3500, 1}, {5250, 3500, 0},
                                 {0, -430, 1},     {0, -450, 0},     {0, 7430, 1},    {0, 7470, 0}};
    for (const auto& p : points) {
        int32_t sx, sy;
        EXPECT_EQ(world.Project(FixedFromInt(p[0]), FixedFromInt(p[1]), FixedFromInt(10000), &sx, &sy), p[2] != 0)
            << p[0] << "," << p[1];
    }
    // x 4000 at depth 10000: the left eye's column and row, and the right eye's column.
    const int32_t expected[][5] = {{640, 480, 563, 453, 548}, {320, 240, 281, 226, 274}};
    for (const auto& e : expected) {
        world.Resize(uint32_t(e[0]), uint32_t(e[1]));
        int32_t sx = -1, sy = -1, sx2 = -1;
        EXPECT_TRUE(world.Project(FixedFromInt(4000), 0, FixedFromInt(10000), &sx, &sy, &sx2));
        EXPECT_EQ((std::vector<int32_t>{sx, sy, sx2}), (std::vector<int32_t>{e[2], e[3], e[4]})) << e[0];
    }
    int32_t sx = 77, sy = 88, sx2 = 99;
    EXPECT_FALSE(world.Project(0, 0, World::screenZ, &sx, &sy, &sx2));
    EXPECT_FALSE(world.Project(0, 0, FixedFromInt(-6000), &sx, &sy, &sx2));
    EXPECT_EQ((std::vector<int32_t>{sx, sy, sx2}), (std::vector<int32_t>{77, 88, 99}));
}

TEST(World, SoundsArePannedByTheirScreenColumn)
{
    SparkQueue queue(1);
    SoundRecorder sounds;
    World world(0, 30, queue, 0, 0, 640, 480, &sounds);
    const Fixed z = FixedFromInt(10000);
    // x, y, z, pan: the centre, column 0, right of it, above, left of the screen, behind the plane
    const int32_t places[][4] = {{0, 3500, 10000, 0},       {-5250, 3500, 10000, -10000}, {9000, 3500, 10000, 10000},
                                 {100, 90000, 10000, 10000}, {-9000, 3500, 10000, -10000}, {0, 0, -5000, 0}};
    for (const auto& p : places) world.PlaySoundAt(7, FixedFromInt(p[0]), FixedFromInt(p[1]), FixedFromInt(p[2]));
    ASSERT_EQ(sounds.played.size(), 6u);
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(sounds.played[i].pan, places[i][3]) << i;

    world.Resize(1, 1);  // a one-pixel surface does not divide by zero
    world.PlaySoundAt(0, 0, FixedFromInt(3500), z);
    EXPECT_EQ(sounds.played.back().pan, 0);
    World silent(0, 30, queue, 0, 0, 640, 480);
    silent.PlaySoundAt(0, 0, 0, z);  // no sink: nothing happens
}
