#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "engine/MemoryImage.h"
#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/Plot.h"
#include "scenery/Backdrop.h"

namespace {
typedef std::unique_ptr<Spark> SparkPtr;
typedef std::set<std::pair<uint32_t, uint32_t>> Points;

// A world with the show's viewing geometry.
World ShowWorld(SparkQueue& queue, uint32_t width, uint32_t height)
{
    return World(0, 50, queue, FixedFromInt(-980), FixedFromInt(100), width, height);
}

const Fixed Near = 0;                   // on a 64-pixel world the eyes are 4 to 5 pixels apart here
const Fixed Far = FixedFromInt(40000);  // far enough that both eyes agree on narrow worlds

// A new spark of colour 0x123456 at depth z whose left eye sees it at (column, row). The world
// coordinate aims at the middle of the pixel, so the projection's truncation lands on it.
SparkPtr SparkAt(const World& world, int32_t column, int32_t row, bool big, Fixed z = Near)
{
    double k = world.width * ((static_cast<double>(world.screenZ) - world.eyeZ) / 32768.0) /
               ((static_cast<double>(z) - world.eyeZ) / 32768.0) / 3.5;
    auto toward = [k](double eye, int32_t offset) {
        return eye + (offset + (offset > 0 ? 0.5 : offset < 0 ? -0.5 : 0.0)) / k;
    };
    double x = toward(world.eyeX / 32768.0, column - static_cast<int32_t>(world.halfWidth));
    double y = toward(world.eyeY / 32768.0, static_cast<int32_t>(world.halfHeight) - row);
    SparkPtr spark(new Spark(0, 0, nullptr, FixedFromReal(x), FixedFromReal(y), z, 0, 0, 0, 0x123456));
    spark->big = big ? 1 : 0;
    int32_t sx = -1, sy = -1;
    EXPECT_TRUE(world.Project(spark->x, spark->y, spark->z, &sx, &sy) && sx == column && sy == row)
        << "no spark can be placed at " << column << "," << row;
    return spark;
}

int32_t RightEyeColumn(const World& world, const Spark& spark)
{
    int32_t sx, sy, sx2 = INT32_MIN;
    world.Project(spark.x, spark.y, spark.z, &sx, &sy, &sx2);
    return sx2;
}

// width x height words inside a one-word guard band on every side (and one spare word per row, so
// the pitch is not simply the width).
class GuardedSurface {
public:
    static constexpr uint32_t Guard = 0x00A5A5A5u;

    GuardedSurface(uint32_t width_, uint32_t height_, uint32_t fill = 0)
        : width(width_), height(height_), stride(width_ + 3), words(static_cast<size_t>(stride) * (height_ + 2), Guard)
    {
        for (uint32_t y = 0; y < height; ++y) std::fill_n(&At(0, y), width, fill);
    }

    SurfaceView View() { return SurfaceView{height, width, static_cast<int32_t>(stride * 4), &words[stride + 1]}; }
    uint32_t& At(uint32_t x, uint32_t y) { return words[static_cast<size_t>(y + 1) * stride + x + 1]; }

    // Pixels that differ from `fill`, and words of the guard band that were written, at their
    // coordinates: -1 (as unsigned), width or height for the band.
    Points Changed(uint32_t fill) const
    {
        Points changed;
        for (size_t i = 0; i < words.size(); ++i) {
            uint32_t x = static_cast<uint32_t>(i % stride) - 1, y = static_cast<uint32_t>(i / stride) - 1;
            if (words[i] != (x < width && y < height ? fill : Guard)) changed.insert(std::make_pair(x, y));
        }
        return changed;
    }

    uint32_t width, height, stride;
    std::vector<uint32_t> words;
};

Points Plus(uint32_t c, uint32_t r) { return {{c, r}, {c + 1, r}, {c - 1, r}, {c, r + 1}, {c, r - 1}}; }

class Plot : public ::testing::Test {
protected:
    void SetUp() override { GlobalPixelFormat().SetMasks(0xFF0000u, 0xFF00u, 0xFFu); }

    SparkPtr At(int32_t column, int32_t row, bool big, Fixed z = Near) { return SparkAt(world, column, row, big, z); }

    // Draws PlotSurface advanced the generator by, found by replaying it from the same seed.
    static int DrawsUsed(uint32_t seed)
    {
        uint32_t after = RandomState();
        SeedRandom(seed);
        int n = 0;
        for (; n < 16 && RandomState() != after; ++n) Rand();
        return n;
    }

    SparkQueue queue{1};
    World world = ShowWorld(queue, 64, 48);
};
}  // namespace

TEST_F(Plot, SmallMonoSparkIsOnePixelAndDrawsNoRandomNumbers)
{
    // On a surface a pixel narrower and shorter than the world, sparks on the world's last column or
    // row are off the surface and draw nothing.
    GuardedSurface surface(63, 47, 0x010203);
    SeedRandom(3);
    for (auto p : Points{{20, 0}, {62, 46}, {63, 10}, {10, 47}}) {
        PlotSurface(*At(int32_t(p.first), int32_t(p.second), false), surface.View(), world, 0);
    }
    EXPECT_EQ(DrawsUsed(3), 0);
    EXPECT_EQ(surface.Changed(0x010203), (Points{{20, 0}, {62, 46}}));
}

TEST_F(Plot, BigMonoSparkKeepsItsArmsOnEveryEdgeAndGlintsInTheBottomBandNeverOffTheSurface)
{
    // On a 12-row surface the bottom 32-row band reaches above the top; those glints are dropped.
    const uint32_t cases[][4] = {{64, 48, 30, 47}, {40, 12, 0, 0}, {40, 12, 39, 6}};  // width, height, column, row
    for (const auto& c : cases) {
        World w = ShowWorld(queue, c[0], c[1]);
        SparkPtr spark = SparkAt(w, int32_t(c[2]), int32_t(c[3]), true);
        const Points plus = Plus(c[2], c[3]);
        std::set<uint32_t> rows, columns;
        for (uint32_t seed = 1; seed <= 400; ++seed) {
            GuardedSurface surface(c[0], c[1]);
            SeedRandom(seed);
            PlotSurface(*spark, surface.View(), w, 0);
            ASSERT_EQ(DrawsUsed(seed), 3) << "the glint draws a, b and d even when it is clipped";
            for (auto p : plus) {
                if (p.first < c[0] && p.second < c[1]) {
                    ASSERT_EQ(surface.At(p.first, p.second), 0x123456u) << "the arms on the surface";
                }
            }
            size_t glints = 0;
            for (auto p : surface.Changed(0)) {
                ASSERT_TRUE(p.first < c[0] && p.second < c[1]) << "column " << c[2] << " seed " << seed;
                if (plus.count(p) != 0) continue;
                ++glints;
                rows.insert(p.second);
                columns.insert(p.first);
            }
            ASSERT_TRUE(glints == 1 || c[1] < 32) << "seed " << seed;
        }
        ASSERT_FALSE(rows.empty()) << "glints that fall inside the surface are drawn";
        EXPECT_LE(*rows.rbegin(), c[1] - 3u);
        EXPECT_LE(*columns.rbegin(), c[2] + 5u);
        if (c[1] >= 32) {
            EXPECT_EQ(*rows.begin(), c[1] - 32u);
            EXPECT_EQ(columns.size(), 11u);
        }
    }
}

TEST_F(Plot, StereoEyesAddOnTheSurfaceKeepOtherChannelsAndDrawOnlyWhereTheyAreOnIt)
{
    // Zero parallax: both eyes add to one pixel, which turns magenta over the green backdrop; no glint.
    SparkPtr together = At(32, 20, false, Far);
    ASSERT_EQ(RightEyeColumn(world, *together), 32);
    GuardedSurface surface(64, 48, 0x003300);
    SeedRandom(5);
    PlotSurface(*together, surface.View(), world, 1);
    EXPECT_EQ(surface.Changed(0x003300), (Points{{32, 20}}));
    EXPECT_EQ(surface.At(32, 20), 0xFF33FFu);
    EXPECT_EQ(DrawsUsed(5), 0);

    // The right eye sees every point further left; near the left edge it falls off the surface, while
    // the left eye's plus is drawn whole.
    SparkPtr edge = At(1, 10, true);
    ASSERT_LT(RightEyeColumn(world, *edge), 0);
    GuardedSurface clipped(64, 48);
    PlotSurface(*edge, clipped.View(), world, 1);
    EXPECT_EQ(clipped.Changed(0), Plus(1, 10));
}

TEST_F(Plot, GdiStereoPaintsWhiteAtZeroParallaxAndRedThenCyanOtherwise)
{
    MemoryImage image;
    ASSERT_TRUE(image.Create(64, 48));
    SparkPtr together = At(32, 20, true, Far);
    ASSERT_EQ(RightEyeColumn(world, *together), 32);
    PlotDc(*together, image, world, 1);
    for (auto p : Plus(32, 20)) EXPECT_EQ(image.Word(p.first, p.second), p.first == 32 && p.second == 20 ? 0xFFFFFFu : 0x7F7F7Fu);

    SparkPtr apart = At(40, 30, true);
    uint32_t right = static_cast<uint32_t>(RightEyeColumn(world, *apart));
    ASSERT_TRUE(right + 2 < 40u || right > 42u) << "the eyes' pluses must not touch here";
    ASSERT_TRUE(image.Create(64, 48));
    PlotDc(*apart, image, world, 1);
    for (auto p : Plus(40, 30)) EXPECT_EQ(image.Word(p.first, p.second), p.first == 40 && p.second == 30 ? 0xFF0000u : 0x7F0000u);
    for (auto p : Plus(right, 30)) EXPECT_EQ(image.Word(p.first, p.second), p.first == right && p.second == 30 ? 0x00FFFFu : 0x007F7Fu);
}

TEST_F(Plot, EraseRestoresExactlyWhatPlotPainted)
{
    MemoryImage backdrop, window;
    ASSERT_TRUE(backdrop.Create(64, 48));
    ASSERT_TRUE(window.Create(64, 48));
    SeedRandom(11);
    CreateBackdrop(64, 48, 0)->Draw(backdrop);
    window.CopyBlock(0, 0, 64, 48, backdrop, 0, 0);

    SparkPtr sparks[] = {At(0, 0, true), At(63, 47, true), At(20, 20, false), At(1, 30, true), At(32, 10, true, Far)};
    for (uint32_t stereo : {0u, 1u}) {
        for (const SparkPtr& spark : sparks) PlotDc(*spark, window, world, stereo);
        if (stereo == 0) {  // the spark's own colour; the target clips the arms off the corner
            EXPECT_TRUE(window.Word(0, 0) == 0x123456u && window.Word(1, 0) == 0x123456u && window.Word(0, 1) == 0x123456u);
        }
        for (const SparkPtr& spark : sparks) EraseDc(*spark, window, backdrop, world, stereo);
        for (uint32_t y = 0; y < 48; ++y) {
            for (uint32_t x = 0; x < 64; ++x) ASSERT_EQ(window.Word(x, y), backdrop.Word(x, y)) << x << "," << y;
        }
    }
}
