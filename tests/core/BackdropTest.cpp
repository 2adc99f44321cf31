#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "scenery/Backdrop.h"
#include "tests/DrawRecorder.h"

namespace {
// The calls of one drawing: the sky, `stars` stars, then the ground band and the buildings.
std::vector<DrawCall> Draw(uint32_t width, uint32_t height, size_t stars, size_t ground)
{
    GlobalPixelFormat().SetMasks(0xFF0000u, 0xFF00u, 0xFFu);
    DrawRecorder recorder;
    CreateBackdrop(width, height, 0)->Draw(recorder);
    EXPECT_EQ(recorder.calls.size(), 1 + stars + ground) << width << "x" << height;
    recorder.calls.resize(1 + stars + ground);
    return recorder.calls;
}

// A fill's corners and colour, to compare in one go.
typedef std::vector<int64_t> Filled;
Filled Fill(const DrawCall& call) { return {call.x, call.y, call.x2, call.y2, call.colour}; }
}  // namespace

TEST(BackdropTest, SkylineAtTheCommonSizes)
{
    // width, height, stars, ground top, building unit
    const int32_t sizes[][5] = {{800, 600, 120, 540, 40}, {640, 480, 76, 432, 32}};
    for (const auto& s : sizes) {
        const int32_t width = s[0], height = s[1], stars = s[2], groundTop = s[3], unit = s[4];
        SeedRandom(uint32_t(width));
        std::vector<DrawCall> calls = Draw(uint32_t(width), uint32_t(height), size_t(stars), 26);
        EXPECT_EQ(Fill(calls[0]), Filled({0, 0, width, height, MakeColorRef(0, 0, 31)})) << "the sky, blue at one eighth";

        std::set<ColorRef> brightnesses;
        for (int32_t i = 1; i <= stars; ++i) brightnesses.insert(calls[size_t(i)].colour);
        EXPECT_GE(brightnesses.size(), 3u) << "stars in several brightnesses";

        EXPECT_EQ(Fill(calls[size_t(stars) + 1]), Filled({0, groundTop, width, height, 0})) << "the ground";
        std::set<int32_t> spans;
        int32_t highest = 0;
        for (auto building = calls.begin() + stars + 2; building != calls.end(); ++building) {
            int32_t span = building->x2 - building->x, rise = groundTop - building->y;
            EXPECT_TRUE(building->x >= 0 && building->x < width && building->y2 == groundTop && building->colour == 0);
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
        std::vector<DrawCall> calls = Draw(s[0], s[1], s[2], s[3]);
        EXPECT_TRUE(s[3] != 0 || RandomState() == 1u) << "no random draws without ground";
        for (size_t i = 2 + s[2]; i < calls.size() && s[0] < 20; ++i) EXPECT_EQ(calls[i].x2, calls[i].x);
    }
}
