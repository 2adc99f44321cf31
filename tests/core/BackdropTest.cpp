#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>

#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "scenery/Backdrop.h"
#include "tests/DrawRecorder.h"

namespace {
// The calls of one backdrop drawing, split into its phases.
struct SkylineCalls {
    DrawCall sky;
    std::vector<DrawCall> stars;
    std::vector<DrawCall> ground;  // the ground band, then the buildings
};

SkylineCalls Draw(uint32_t width, uint32_t height, uint32_t stereo = 0)
{
    std::unique_ptr<Backdrop> backdrop = CreateBackdrop(width, height, stereo);
    DrawRecorder recorder;
    backdrop->Draw(recorder);
    SkylineCalls split = {};
    size_t i = 0;
    if (i < recorder.calls.size()) split.sky = recorder.calls[i++];
    while (i < recorder.calls.size() && recorder.calls[i].kind == DrawCall::Set) split.stars.push_back(recorder.calls[i++]);
    while (i < recorder.calls.size()) split.ground.push_back(recorder.calls[i++]);
    return split;
}

class BackdropTest : public ::testing::Test {
protected:
    void SetUp() override { format().SetMasks(0xFF0000u, 0xFF00u, 0xFFu); }
    static PixelFormat& format() { return GlobalPixelFormat(); }
};
}  // namespace

TEST_F(BackdropTest, SkylineAtTheCommonSizes)
{
    // width, height, stars, ground top, building unit
    const int32_t sizes[][5] = {{800, 600, 120, 540, 40}, {640, 480, 76, 432, 32}};
    std::set<ColorRef> levels;  // white halved 0 to 8 times
    for (Pixel star = format().colorWhite; levels.size() < 9; star = format().Half(star)) {
        levels.insert(format().ToColorRef(star));
    }
    for (const auto& s : sizes) {
        const int32_t width = s[0], height = s[1], groundTop = s[3], unit = s[4];
        SeedRandom(uint32_t(width));
        SkylineCalls calls = Draw(uint32_t(width), uint32_t(height));
        EXPECT_EQ(std::vector<int32_t>({calls.sky.kind, calls.sky.x, calls.sky.y, calls.sky.x2, calls.sky.y2}),
                  std::vector<int32_t>({DrawCall::Fill, 0, 0, width, height}));
        EXPECT_EQ(calls.sky.colour, MakeColorRef(0, 0, 31)) << "blue at one eighth";

        ASSERT_EQ(calls.stars.size(), size_t(s[2]));
        std::set<ColorRef> seen;
        for (const DrawCall& star : calls.stars) {
            EXPECT_TRUE(star.x >= 0 && star.x < width && star.y >= 0 && star.y < height);
            EXPECT_EQ(levels.count(star.colour), 1u);
            seen.insert(star.colour);
        }
        EXPECT_GE(seen.size(), 3u) << "stars come in several brightnesses";

        ASSERT_EQ(calls.ground.size(), 26u);
        const DrawCall& ground = calls.ground[0];
        EXPECT_EQ(std::vector<int32_t>({ground.kind, ground.x, ground.y, ground.x2, ground.y2}),
                  std::vector<int32_t>({DrawCall::Fill, 0, groundTop, width, height}));
        std::set<int32_t> spans;
        int32_t highest = 0;
        for (const DrawCall& building : calls.ground) {
            EXPECT_EQ(building.kind, DrawCall::Fill);
            EXPECT_EQ(building.colour, 0u);
            if (&building == &ground) continue;
            EXPECT_TRUE(building.x >= 0 && building.x < width);
            int32_t span = building.x2 - building.x, rise = groundTop - building.y;
            EXPECT_TRUE(span % unit == 0 && span <= 4 * unit) << span;
            EXPECT_EQ(building.y2, groundTop);
            EXPECT_TRUE(rise >= 0 && rise < height / 3) << rise;
            spans.insert(span);
            highest = std::max(highest, rise);
        }
        EXPECT_GE(spans.size(), 3u);
        EXPECT_GT(highest, height / 6) << "25 rises spread over the third of the height";
    }
}

TEST_F(BackdropTest, RedrawPlacesNewStarsAndBuildings)
{
    std::unique_ptr<Backdrop> backdrop = CreateBackdrop(200, 150, 0);
    DrawRecorder first, second;
    backdrop->Draw(first);
    backdrop->Draw(second);
    ASSERT_EQ(first.calls.size(), second.calls.size());
    EXPECT_NE(0, memcmp(first.calls.data(), second.calls.data(), first.calls.size() * sizeof(DrawCall)));
}

TEST_F(BackdropTest, OddSizesDrawOnlyWhatFits)
{
    // Too narrow for a building unit: every building is empty.
    SkylineCalls narrow = Draw(19, 400);
    ASSERT_EQ(narrow.ground.size(), 26u);
    for (size_t i = 1; i < 26; ++i) EXPECT_EQ(narrow.ground[i].x2, narrow.ground[i].x);
    const uint32_t empty[3][2] = {{0, 300}, {300, 0}, {0, 0}};
    for (const auto& size : empty) {
        SeedRandom(1);
        uint32_t seeded = RandomState();
        SkylineCalls calls = Draw(size[0], size[1]);
        EXPECT_EQ(RandomState(), seeded) << "no random draws";
        EXPECT_EQ(calls.sky.kind, DrawCall::Fill);
        EXPECT_EQ(calls.sky.x2, int32_t(size[0]));
        EXPECT_EQ(calls.sky.y2, int32_t(size[1]));
        EXPECT_TRUE(calls.stars.empty() && calls.ground.empty());
    }
    // One and two rows: stars and ground, but no room for the rise of a building; three allow 0.
    for (uint32_t height : {1u, 2u}) {
        SkylineCalls calls = Draw(8000, height);
        EXPECT_EQ(calls.stars.size(), size_t(2 * height));
        ASSERT_EQ(calls.ground.size(), 1u);
        EXPECT_EQ(calls.ground[0].y, int32_t(height * 9 / 10));
    }
    EXPECT_EQ(Draw(100, 3).ground.size(), 26u);
}

TEST_F(BackdropTest, StereoIsPlainBlackAndMonoSkyFollowsTheFormat)
{
    std::unique_ptr<Backdrop> stereo = CreateBackdrop(64, 48, 1);
    ASSERT_NE(stereo, nullptr);
    EXPECT_EQ(dynamic_cast<SkylineBackdrop*>(stereo.get()), nullptr);
    uint32_t before = RandomState();
    SkylineCalls calls = Draw(64, 48, 1);
    EXPECT_EQ(RandomState(), before);
    EXPECT_TRUE(calls.stars.empty() && calls.ground.empty());
    EXPECT_EQ(std::vector<int32_t>({calls.sky.kind, calls.sky.x2, calls.sky.y2, int32_t(calls.sky.colour)}),
              std::vector<int32_t>({DrawCall::Fill, 64, 48, 0}));

    DrawRecorder plain;
    Backdrop(10, 10, 0x123456).Draw(plain);
    ASSERT_EQ(plain.calls.size(), 1u);
    EXPECT_EQ(plain.calls[0].colour, MakeColorRef(0x12, 0x34, 0x56));

    format().SetMasks(0xE0, 0x1C, 0x03);
    EXPECT_EQ(Draw(200, 100).sky.colour, 0u) << "one eighth of blue is black in 3-3-2";
}
