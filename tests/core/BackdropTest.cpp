#include <gtest/gtest.h>

#include <algorithm>
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

SkylineCalls Draw(uint32_t width, uint32_t height)
{
    GlobalPixelFormat().SetMasks(0xFF0000u, 0xFF00u, 0xFFu);
    DrawRecorder recorder;
    CreateBackdrop(width, height, 0)->Draw(recorder);
    SkylineCalls split = {recorder.calls.at(0), {}, {}};
    size_t i = 1;
    while (i < recorder.calls.size() && recorder.calls[i].kind == DrawCall::Set) split.stars.push_back(recorder.calls[i++]);
    split.ground.assign(recorder.calls.begin() + static_cast<long>(i), recorder.calls.end());
    return split;
}
}  // namespace

TEST(BackdropTest, SkylineAtTheCommonSizes)
{
    // width, height, stars, ground top, building unit
    const int32_t sizes[][5] = {{800, 600, 120, 540, 40}, {640, 480, 76, 432, 32}};
    std::set<ColorRef> levels;  // white halved 0 to 8 times
    for (uint32_t white = 0xFF; levels.size() < 9; white /= 2) levels.insert(white * 0x010101u);
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
            EXPECT_TRUE(building.kind == DrawCall::Fill && building.colour == 0u);
            if (&building == &ground) continue;
            int32_t span = building.x2 - building.x, rise = groundTop - building.y;
            EXPECT_TRUE(building.x >= 0 && building.x < width && building.y2 == groundTop);
            EXPECT_TRUE(span >= 0 && span % unit == 0 && span <= 4 * unit) << span;
            EXPECT_TRUE(rise >= 0 && rise < height / 3) << rise;
            spans.insert(span);
            highest = std::max(highest, rise);
        }
        EXPECT_GE(spans.size(), 3u);
        EXPECT_GT(highest, height / 6) << "25 rises spread over the third of the height";
    }
}

TEST(BackdropTest, OddSizesDrawOnlyWhatFits)
{
    // An empty surface gets only its sky and draws no random numbers; one or two rows get stars and
    // ground but no room for the rise of a building, three allow 0; too narrow for a building unit,
    // every building is empty. width, height, stars, ground calls
    const uint32_t sizes[][4] = {{0, 300, 0, 0}, {300, 0, 0, 0}, {0, 0, 0, 0},  {8000, 1, 2, 1},
                                 {8000, 2, 4, 1}, {100, 3, 0, 26}, {19, 400, 1, 26}};
    for (const auto& s : sizes) {
        SeedRandom(1);
        SkylineCalls calls = Draw(s[0], s[1]);
        EXPECT_EQ(std::vector<int32_t>({calls.sky.kind, calls.sky.x2, calls.sky.y2}),
                  std::vector<int32_t>({DrawCall::Fill, int32_t(s[0]), int32_t(s[1])}));
        EXPECT_EQ(calls.stars.size(), s[2]) << s[0] << "x" << s[1];
        ASSERT_EQ(calls.ground.size(), s[3]) << s[0] << "x" << s[1];
        EXPECT_TRUE(s[3] == 0 ? RandomState() == 1u : calls.ground[0].y == int32_t(s[1] * 9 / 10))
            << "no random draws without ground; the ground on the lowest tenth";
        for (size_t i = 1; i < calls.ground.size() && s[0] < 20; ++i) EXPECT_EQ(calls.ground[i].x2, calls.ground[i].x);
    }
}
