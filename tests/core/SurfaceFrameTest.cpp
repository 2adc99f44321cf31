#include <gtest/gtest.h>

#include "engine/PixelFormat.h"
#include "render/SurfaceFrame.h"
#include "tests/PlotHelpers.h"

TEST(SurfaceFrame, CopiesTheBackdropBetweenDifferentPitches)
{
    GuardedSurface target(5, 4, 0), source(7, 3, 0);
    for (uint32_t y = 0; y < 3; ++y) {
        for (uint32_t x = 0; x < 7; ++x) source.At(x, y) = y * 16 + x + 1;
    }
    CopySurface(target.View(), source.View());
    for (uint32_t y = 0; y < 4; ++y) {
        for (uint32_t x = 0; x < 5; ++x) EXPECT_EQ(target.At(x, y), y < 3 ? y * 16 + x + 1 : 0u) << x << "," << y;
    }
    EXPECT_TRUE(target.GuardIntact());
}

TEST(SurfaceFrame, PlotsEveryQueuedSparkInStorageOrder)
{
    GlobalPixelFormat().SetMasks(0xFF0000u, 0xFF00u, 0xFFu);
    SparkQueue queue(4);
    World world = ShowWorld(queue, 64, 48);
    // Two sparks on one pixel: the one in the later slot is drawn last and stays visible.
    const int32_t sparks[3][3] = {{10, 10, 0x0000FF}, {10, 10, 0x00FF00}, {30, 20, 0xFF0000}};
    for (int i = 0; i < 3; ++i) {
        bool placed = false;
        std::unique_ptr<Spark> spark = SparkAt(world, sparks[i][0], sparks[i][1], 0, Pixel(sparks[i][2]), false, &placed);
        ASSERT_TRUE(placed);
        spark->wakeTime = uint32_t(i + 1);
        ASSERT_TRUE(queue.Push(spark.release()));
    }
    GuardedSurface surface(64, 48);
    PlotQueuedSparks(surface.View(), world, 0);
    EXPECT_EQ(surface.At(10, 10), queue.At(1)->colour);
    EXPECT_EQ(surface.At(30, 20), 0xFF0000u);
    EXPECT_EQ(surface.Changed(0).size(), 2u);
}
