#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "engine/Random.h"
#include "render/MemoryImage.h"
#include "render/PixelFormat.h"
#include "render/Plot.h"
#include "scenery/Backdrop.h"
#include "tests/DrawRecorder.h"
#include "tests/PlotHelpers.h"

namespace {
typedef std::unique_ptr<Spark> SparkPtr;
const Fixed Near = 0;                   // on a 64-pixel world the eyes are 4 to 5 pixels apart here
const Fixed Far = FixedFromInt(40000);  // far enough that both eyes agree on narrow worlds

class Plot : public ::testing::Test {
protected:
    void SetUp() override { format().SetMasks(0xFF0000u, 0xFF00u, 0xFFu); }
    static PixelFormat& format() { return GlobalPixelFormat(); }

    SparkPtr At(const World& world, int32_t column, int32_t row, bool big, Fixed z = Near, Pixel colour = 0x123456)
    {
        bool placed = false;
        SparkPtr spark = SparkAt(world, column, row, z, colour, big, &placed);
        EXPECT_TRUE(placed) << "no spark can be placed at " << column << "," << row;
        return spark;
    }

    // Draws advanced by PlotSurface, found by replaying the generator from the same seed.
    static int DrawsUsed(uint32_t seed, uint32_t stateAfter)
    {
        SeedRandom(seed);
        for (int n = 0; n < 16; ++n) {
            if (RandomState() == stateAfter) return n;
            Rand();
        }
        return -1;
    }
};

std::set<std::pair<uint32_t, uint32_t>> Plus(uint32_t c, uint32_t r)
{
    return {{c, r}, {c + 1, r}, {c - 1, r}, {c, r + 1}, {c, r - 1}};
}
}  // namespace

TEST_F(Plot, BigMonoSparkAtTheSideEdgesStaysOnTheSurface)
{
    SparkQueue queue(1);
    World world = ShowWorld(queue, 64, 48);
    for (int32_t column : {0, 63}) {
        GuardedSurface surface(64, 48);
        SparkPtr sparkOwner = At(world, column, 10, true);
        const Spark& spark = *sparkOwner;
        SeedRandom(7);
        PlotSurface(spark, surface.View(), world, 0);
        EXPECT_TRUE(surface.GuardIntact()) << "column " << column;
        uint32_t c = static_cast<uint32_t>(column);
        EXPECT_EQ(surface.At(c, 10), 0x123456u);
        EXPECT_EQ(surface.At(c, 9), 0x123456u);
        EXPECT_EQ(surface.At(c, 11), 0x123456u);
        EXPECT_EQ(surface.At(column == 0 ? 1 : 62, 10), 0x123456u);
        EXPECT_EQ(DrawsUsed(7, RandomState()), 3) << "the glint draws a, b and d even when it is clipped";
    }
}

TEST_F(Plot, SmallMonoSparkIsOnePixelAndDrawsNothingRandom)
{
    SparkQueue queue(1);
    World world = ShowWorld(queue, 64, 48);
    GuardedSurface surface(64, 48, 0x010203);
    SparkPtr sparkOwner = At(world, 20, 0, false);
    const Spark& spark = *sparkOwner;
    SeedRandom(3);
    PlotSurface(spark, surface.View(), world, 0);
    EXPECT_EQ(DrawsUsed(3, RandomState()), 0);
    auto changed = surface.Changed(0x010203);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], std::make_pair(20u, 0u));
    EXPECT_EQ(surface.At(20, 0), 0x123456u);
    EXPECT_TRUE(surface.GuardIntact());
}

TEST_F(Plot, GlintLandsInTheBottomBandNearTheSparksColumn)
{
    SparkQueue queue(1);
    World world = ShowWorld(queue, 64, 48);
    SparkPtr sparkOwner = At(world, 30, 5, true);
    const Spark& spark = *sparkOwner;
    std::set<uint32_t> rows, columns;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        GuardedSurface surface(64, 48);
        SeedRandom(seed);
        PlotSurface(spark, surface.View(), world, 0);
        auto plus = Plus(30, 5);
        std::vector<std::pair<uint32_t, uint32_t>> glints;
        for (auto p : surface.Changed(0)) {
            if (plus.count(p) == 0) glints.push_back(p);
        }
        ASSERT_EQ(glints.size(), 1u) << "seed " << seed;
        EXPECT_EQ(surface.At(glints[0].first, glints[0].second), 0x123456u);
        rows.insert(glints[0].second);
        columns.insert(glints[0].first);
    }
    EXPECT_EQ(*rows.begin(), 48u - 32u);
    EXPECT_LE(*rows.rbegin(), 48u - 3u);
    EXPECT_EQ(*columns.begin(), 25u);
    EXPECT_EQ(*columns.rbegin(), 35u);
    EXPECT_EQ(columns.size(), 11u);
}

TEST_F(Plot, GlintNeverLeavesAShortSurface)
{
    SparkQueue queue(1);
    World world = ShowWorld(queue, 40, 12);
    int landed = 0;
    for (int32_t column : {0, 2, 20, 37, 39}) {
        SparkPtr sparkOwner = At(world, column, 6, true);
        const Spark& spark = *sparkOwner;
        for (uint32_t seed = 1; seed <= 300; ++seed) {
            GuardedSurface surface(40, 12);
            SeedRandom(seed);
            PlotSurface(spark, surface.View(), world, 0);
            ASSERT_TRUE(surface.GuardIntact()) << "column " << column << " seed " << seed;
            ASSERT_EQ(DrawsUsed(seed, RandomState()), 3);
            auto plus = Plus(static_cast<uint32_t>(column), 6);
            for (auto p : surface.Changed(0)) {
                if (plus.count(p) != 0) continue;
                ++landed;
                EXPECT_LE(p.second, 12u - 3u);  // b >= 20 reaches into a 12-row surface
            }
        }
    }
    EXPECT_GT(landed, 0) << "glints that fall inside a short surface are still drawn";
}

TEST_F(Plot, StereoEyesAddOnTheSurfaceAndKeepOtherChannels)
{
    SparkQueue queue(1);
    World world = ShowWorld(queue, 64, 48);
    // Zero parallax: both eyes add to one pixel, which turns magenta over the green backdrop.
    SparkPtr togetherOwner = At(world, 32, 20, false, Far);
    const Spark& together = *togetherOwner;
    ASSERT_EQ(RightEyeColumn(world, together), 32);
    GuardedSurface surface(64, 48, 0x003300);
    SeedRandom(5);
    PlotSurface(together, surface.View(), world, 1);
    EXPECT_EQ(surface.At(32, 20), 0xFF33FFu);
    EXPECT_EQ(surface.Changed(0x003300).size(), 1u);
    EXPECT_EQ(DrawsUsed(5, RandomState()), 0) << "no glint in stereo";

    // Two sparks, one seen by each eye at the same pixel, and a repeated hit of one eye.
    SparkPtr leftOwner = At(world, 40, 30, true);
    const Spark& left = *leftOwner;
    int32_t right = RightEyeColumn(world, left);
    ASSERT_LT(right, 40);
    SparkPtr otherOwner = At(world, right, 30, false);
    const Spark& other = *otherOwner;
    GuardedSurface pair(64, 48, 0x003300);
    PlotSurface(left, pair.View(), world, 1);
    PlotSurface(other, pair.View(), world, 1);
    PlotSurface(other, pair.View(), world, 1);
    uint32_t r = static_cast<uint32_t>(right);
    EXPECT_EQ(pair.At(40, 30), 0xFF3300u);
    EXPECT_EQ(pair.At(41, 30), 0xFF3300u);
    EXPECT_EQ(pair.At(40, 29), 0xFF3300u);
    EXPECT_EQ(pair.At(r, 30), 0xFF33FFu) << "right eye of the big spark plus left eye of the other";
    EXPECT_EQ(pair.At(r + 1, 30), 0x0033FFu);
    EXPECT_TRUE(pair.GuardIntact());
}

TEST_F(Plot, StereoDrawsOnlyTheEyesThatAreOnTheSurface)
{
    SparkQueue queue(1);
    World world = ShowWorld(queue, 64, 48);
    // The right eye sees every point further left; near the left edge it falls off the surface.
    SparkPtr edgeOwner = At(world, 1, 10, true);
    const Spark& edge = *edgeOwner;
    ASSERT_LT(RightEyeColumn(world, edge), 0);
    GuardedSurface surface(64, 48);
    PlotSurface(edge, surface.View(), world, 1);
    EXPECT_TRUE(surface.GuardIntact());
    for (auto p : surface.Changed(0)) EXPECT_EQ(surface.At(p.first, p.second), 0xFF0000u);
    EXPECT_EQ(surface.Changed(0).size(), 5u);

    // Left eye just past the right edge: nothing at all, though the right eye would be on screen.
    bool placed = false;
    SparkPtr beyondOwner = SparkAt(world, 66, 10, Near, 0x123456, true, &placed);
    const Spark& beyond = *beyondOwner;
    int32_t sx2 = RightEyeColumn(world, beyond);
    ASSERT_GE(sx2, 0);
    ASSERT_LT(sx2, 64);
    GuardedSurface empty(64, 48);
    PlotSurface(beyond, empty.View(), world, 1);
    PlotSurface(beyond, empty.View(), world, 0);
    EXPECT_TRUE(empty.Changed(0).empty());
    EXPECT_TRUE(empty.GuardIntact());
}

TEST_F(Plot, UnknownStereoValueAndInvisibleSparksDrawNothing)
{
    SparkQueue queue(1);
    World world = ShowWorld(queue, 64, 48);
    SparkPtr visibleOwner = At(world, 10, 10, true);
    const Spark& visible = *visibleOwner;
    Spark behind(0, 0, nullptr, 0, FixedFromInt(3500), FixedFromInt(-4995), 0, 0, 0, 0x123456);
    behind.big = 1;
    MemoryImage backdrop;
    ASSERT_TRUE(backdrop.Create(64, 48));
    for (uint32_t stereo : {0u, 1u, 2u}) {
        for (const Spark* spark : {&visible, static_cast<const Spark*>(&behind)}) {
            if (stereo < 2 && spark == &visible) continue;
            GuardedSurface surface(64, 48);
            DrawRecorder recorder;
            PlotSurface(*spark, surface.View(), world, stereo);
            PlotDc(*spark, recorder, world, stereo);
            EraseDc(*spark, recorder, backdrop, world, stereo);
            EXPECT_TRUE(surface.Changed(0).empty());
            EXPECT_TRUE(recorder.calls.empty());
        }
    }
}

TEST_F(Plot, GdiMonoPaintsThePlusAndLetsTheTargetClip)
{
    SparkQueue queue(1);
    World world = ShowWorld(queue, 64, 48);
    SparkPtr sparkOwner = At(world, 0, 47, true);
    const Spark& spark = *sparkOwner;
    DrawRecorder recorder;
    PlotDc(spark, recorder, world, 0);
    ColorRef colour = format().ToColorRef(0x123456);
    ASSERT_EQ(recorder.calls.size(), 5u);
    const int32_t expected[5][2] = {{0, 47}, {1, 47}, {-1, 47}, {0, 48}, {0, 46}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(recorder.calls[i].kind, DrawCall::Set);
        EXPECT_EQ(recorder.calls[i].x, expected[i][0]);
        EXPECT_EQ(recorder.calls[i].y, expected[i][1]);
        EXPECT_EQ(recorder.calls[i].colour, colour);
    }
    MemoryImage image;
    ASSERT_TRUE(image.Create(64, 48));
    PlotDc(spark, image, world, 0);
    EXPECT_EQ(image.GetPixel(0, 47), colour);
    EXPECT_EQ(image.GetPixel(1, 47), colour);
    EXPECT_EQ(image.GetPixel(0, 46), colour);
    EXPECT_EQ(image.GetPixel(1, 46), 0u);
}

TEST_F(Plot, GdiStereoPaintsWhiteAtZeroParallaxAndRedThenCyanOtherwise)
{
    SparkQueue queue(1);
    World world = ShowWorld(queue, 64, 48);
    for (bool gdiFormat : {false, true}) {
        if (gdiFormat) format().SetMasks(0xE0, 0x1C, 0x03);
        ColorRef white = format().ToColorRef(format().colorWhite);
        ColorRef halfWhite = format().ToColorRef(format().Half(format().colorWhite));
        EXPECT_EQ(halfWhite, gdiFormat ? MakeColorRef(109, 109, 85) : MakeColorRef(127, 127, 127));

        MemoryImage image;
        ASSERT_TRUE(image.Create(64, 48));
        SparkPtr togetherOwner = At(world, 32, 20, true, Far);
        const Spark& together = *togetherOwner;
        ASSERT_EQ(RightEyeColumn(world, together), 32);
        PlotDc(together, image, world, 1);
        EXPECT_EQ(image.GetPixel(32, 20), white);
        for (auto p : Plus(32, 20)) {
            if (p != std::make_pair(32u, 20u)) {
                EXPECT_EQ(image.GetPixel(int32_t(p.first), int32_t(p.second)), halfWhite);
            }
        }

        SparkPtr apartOwner = At(world, 40, 30, true);

        const Spark& apart = *apartOwner;
        int32_t right = RightEyeColumn(world, apart);
        DrawRecorder recorder;
        PlotDc(apart, recorder, world, 1);
        ASSERT_EQ(recorder.calls.size(), 10u);
        EXPECT_EQ(recorder.calls[0].x, 40);
        EXPECT_EQ(recorder.calls[0].colour, format().ToColorRef(format().colorRed));
        EXPECT_EQ(recorder.calls[1].x, right);
        EXPECT_EQ(recorder.calls[1].colour, format().ToColorRef(format().colorCyan));
        for (int i = 2; i < 6; ++i) {
            EXPECT_EQ(std::abs(recorder.calls[i].x - 40) + std::abs(recorder.calls[i].y - 30), 1);
            EXPECT_EQ(recorder.calls[i].colour, format().ToColorRef(format().Half(format().colorRed)));
        }
        for (int i = 6; i < 10; ++i) {
            EXPECT_EQ(std::abs(recorder.calls[i].x - right) + std::abs(recorder.calls[i].y - 30), 1);
            EXPECT_EQ(recorder.calls[i].colour, format().ToColorRef(format().Half(format().colorCyan)));
        }
    }
}

TEST_F(Plot, EraseRestoresExactlyWhatPlotPainted)
{
    SparkQueue queue(1);
    World world = ShowWorld(queue, 64, 48);
    MemoryImage backdrop, window;
    ASSERT_TRUE(backdrop.Create(64, 48));
    ASSERT_TRUE(window.Create(64, 48));
    SeedRandom(11);
    Backdrop* sky = CreateBackdrop(64, 48, 0);
    ASSERT_NE(sky, nullptr);
    sky->Draw(backdrop);
    delete sky;
    window.CopyBlock(0, 0, 64, 48, backdrop, 0, 0);

    std::vector<SparkPtr> sparks;
    sparks.push_back(At(world, 0, 0, true));
    sparks.push_back(At(world, 63, 47, true));
    sparks.push_back(At(world, 20, 20, false));
    sparks.push_back(At(world, 1, 30, true));
    sparks.push_back(At(world, 32, 10, true, Far));
    sparks.push_back(At(world, 50, 5, false));
    for (uint32_t stereo : {0u, 1u}) {
        for (const SparkPtr& spark : sparks) PlotDc(*spark, window, world, stereo);
        for (const SparkPtr& spark : sparks) EraseDc(*spark, window, backdrop, world, stereo);
        for (uint32_t y = 0; y < 48; ++y) {
            for (uint32_t x = 0; x < 64; ++x) ASSERT_EQ(window.Word(x, y), backdrop.Word(x, y)) << x << "," << y;
        }
    }

    // The calls: a pixel copy for a small spark, one 3 x 3 block copy for a big one, per eye.
    DrawRecorder recorder(&window);
    EraseDc(*sparks[2], recorder, backdrop, world, 0);
    EraseDc(*sparks[1], recorder, backdrop, world, 0);
    EraseDc(*sparks[1], recorder, backdrop, world, 1);
    ASSERT_EQ(recorder.calls.size(), 4u);
    EXPECT_EQ(recorder.calls[0].kind, DrawCall::Set);
    EXPECT_EQ(recorder.calls[0].colour, backdrop.GetPixel(20, 20));
    const DrawCall& block = recorder.calls[1];
    EXPECT_EQ(block.kind, DrawCall::Copy);
    EXPECT_EQ(block.x, 62);
    EXPECT_EQ(block.y, 46);
    EXPECT_EQ(block.x2, 3);
    EXPECT_EQ(block.y2, 3);
    EXPECT_EQ(block.sx, 62);
    EXPECT_EQ(block.sy, 46);
    EXPECT_EQ(recorder.calls[2].x, 62);
    EXPECT_EQ(recorder.calls[3].x, RightEyeColumn(world, *sparks[1]) - 1);
}
