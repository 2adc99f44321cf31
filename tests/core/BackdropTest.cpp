#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "engine/Random.h"
#include "render/MemoryImage.h"
#include "render/PixelFormat.h"
#include "scenery/Backdrop.h"
#include "tests/DrawRecorder.h"

namespace {
class BackdropTest : public ::testing::Test {
protected:
    void SetUp() override { format().SetMasks(0xFF0000u, 0xFF00u, 0xFFu); }
    static PixelFormat& format() { return GlobalPixelFormat(); }

    static std::unique_ptr<Backdrop> Skyline(uint32_t width, uint32_t height)
    {
        return std::unique_ptr<Backdrop>(CreateBackdrop(width, height, 0));
    }
};

// The calls of one skyline drawing, split into its phases.
struct SkylineCalls {
    DrawCall sky;
    std::vector<DrawCall> stars;
    std::vector<DrawCall> ground;  // the ground band, then the buildings
};

SkylineCalls Split(const DrawRecorder& recorder)
{
    SkylineCalls split;
    size_t i = 0;
    if (i < recorder.calls.size()) split.sky = recorder.calls[i++];
    while (i < recorder.calls.size() && recorder.calls[i].kind == DrawCall::Set) split.stars.push_back(recorder.calls[i++]);
    while (i < recorder.calls.size()) split.ground.push_back(recorder.calls[i++]);
    return split;
}

// The brightness levels a star can have: white halved 0 to 8 times, as GDI colours.
std::set<ColorRef> StarColours(const PixelFormat& format)
{
    std::set<ColorRef> colours;
    Pixel star = format.colorWhite;
    for (int i = 0; i < 9; ++i, star = format.Half(star)) colours.insert(format.ToColorRef(star));
    return colours;
}

void ExpectSkyline(uint32_t width, uint32_t height, size_t stars, int32_t groundTop, int32_t unit)
{
    const PixelFormat& format = GlobalPixelFormat();
    std::unique_ptr<Backdrop> backdrop(CreateBackdrop(width, height, 0));
    ASSERT_NE(backdrop, nullptr);
    DrawRecorder recorder;
    SeedRandom(width * 7 + height);
    backdrop->Draw(recorder);
    SkylineCalls calls = Split(recorder);

    EXPECT_EQ(calls.sky.kind, DrawCall::Fill);
    EXPECT_EQ(calls.sky.x, 0);
    EXPECT_EQ(calls.sky.y, 0);
    EXPECT_EQ(calls.sky.x2, int32_t(width));
    EXPECT_EQ(calls.sky.y2, int32_t(height));
    EXPECT_EQ(calls.sky.colour, MakeColorRef(0, 0, 31)) << "blue at one eighth";

    EXPECT_EQ(calls.stars.size(), stars);
    std::set<ColorRef> levels = StarColours(format), seen;
    for (const DrawCall& star : calls.stars) {
        EXPECT_GE(star.x, 0);
        EXPECT_LT(star.x, int32_t(width));
        EXPECT_GE(star.y, 0);
        EXPECT_LT(star.y, int32_t(height));
        EXPECT_EQ(levels.count(star.colour), 1u);
        seen.insert(star.colour);
    }
    EXPECT_GE(seen.size(), 3u) << "stars come in several brightnesses";

    ASSERT_EQ(calls.ground.size(), 26u);
    const DrawCall& ground = calls.ground[0];
    EXPECT_EQ(ground.kind, DrawCall::Fill);
    EXPECT_EQ(ground.x, 0);
    EXPECT_EQ(ground.y, groundTop);
    EXPECT_EQ(ground.x2, int32_t(width));
    EXPECT_EQ(ground.y2, int32_t(height));
    EXPECT_EQ(ground.colour, 0u);
    std::set<int32_t> spans;
    int32_t highest = 0;
    for (size_t i = 1; i < calls.ground.size(); ++i) {
        const DrawCall& building = calls.ground[i];
        EXPECT_EQ(building.kind, DrawCall::Fill);
        EXPECT_EQ(building.colour, 0u);
        EXPECT_GE(building.x, 0);
        EXPECT_LT(building.x, int32_t(width));
        int32_t span = building.x2 - building.x;
        EXPECT_EQ(span % unit, 0);
        EXPECT_LE(span, 4 * unit);
        spans.insert(span);
        EXPECT_EQ(building.y2, groundTop);
        int32_t rise = groundTop - building.y;
        EXPECT_GE(rise, 0);
        EXPECT_LT(rise, int32_t(height / 3));
        highest = std::max(highest, rise);
    }
    EXPECT_GE(spans.size(), 3u);
    EXPECT_GT(highest, int32_t(height / 6)) << "25 rises spread over the third of the height";
}
}  // namespace

TEST_F(BackdropTest, SkylineAtTheCommonSizes)
{
    ExpectSkyline(800, 600, 120, 540, 40);
    ExpectSkyline(640, 480, 76, 432, 32);
}

TEST_F(BackdropTest, SkylineDrawsItsRandomNumbersInOrder)
{
    // Replays the generator: star colour draws until one is 50 or more, then row, then column; after
    // the ground, left, span and rise for each building.
    std::unique_ptr<Backdrop> backdrop = Skyline(300, 200);
    DrawRecorder recorder;
    SeedRandom(99);
    backdrop->Draw(recorder);
    SkylineCalls calls = Split(recorder);
    ASSERT_EQ(calls.stars.size(), 15u);
    SeedRandom(99);
    for (const DrawCall& star : calls.stars) {
        Pixel colour = format().colorWhite;
        while (Rand() % 100 < 50) colour = format().Half(colour);
        EXPECT_EQ(star.colour, format().ToColorRef(colour));
        EXPECT_EQ(star.y, int32_t(Rand() % 200));
        EXPECT_EQ(star.x, int32_t(Rand() % 300));
    }
    for (size_t i = 1; i < calls.ground.size(); ++i) {
        int32_t left = int32_t(Rand() % 300);
        int32_t span = int32_t(Rand() % 5) * 15;
        int32_t rise = int32_t(Rand() % 66);
        EXPECT_EQ(calls.ground[i].x, left);
        EXPECT_EQ(calls.ground[i].x2, left + span);
        EXPECT_EQ(calls.ground[i].y, 180 - rise);
    }
    uint32_t after = RandomState();
    SeedRandom(99);
    backdrop->Draw(recorder);
    EXPECT_EQ(RandomState(), after);
}

TEST_F(BackdropTest, SkylinePictureAndRedraw)
{
    std::unique_ptr<Backdrop> backdrop = Skyline(800, 600);
    MemoryImage image, again;
    ASSERT_TRUE(image.Create(800, 600));
    ASSERT_TRUE(again.Create(800, 600));
    SeedRandom(4);
    backdrop->Draw(image);
    backdrop->Draw(again);
    size_t differ = 0, blackAbove = 0;
    for (uint32_t y = 0; y < 600; ++y) {
        for (uint32_t x = 0; x < 800; ++x) {
            if (y >= 540) {
                ASSERT_EQ(image.Word(x, y), 0u) << "ground at " << x << "," << y;
            }
            if (y <= 340) blackAbove += image.Word(x, y) == 0;
            differ += image.Word(x, y) != again.Word(x, y);
        }
    }
    // A building is at least 40 pixels wide; a star is black only after eight halvings.
    EXPECT_LT(blackAbove, 40u) << "no building rises 200 rows";
    EXPECT_GT(differ, 0u) << "a redraw places new stars and buildings";
}

TEST_F(BackdropTest, SkylineSkyIsBlackInTheGdiFormat)
{
    format().SetMasks(0xE0, 0x1C, 0x03);
    std::unique_ptr<Backdrop> backdrop = Skyline(200, 100);
    EXPECT_EQ(backdrop->colour, 0u);
    DrawRecorder recorder;
    backdrop->Draw(recorder);
    EXPECT_EQ(Split(recorder).sky.colour, 0u);
    std::set<ColorRef> levels = StarColours(format());
    for (const DrawCall& star : Split(recorder).stars) EXPECT_EQ(levels.count(star.colour), 1u);
}

TEST_F(BackdropTest, NarrowSkylinePaintsNoBuildings)
{
    std::unique_ptr<Backdrop> backdrop = Skyline(19, 400);
    MemoryImage image;
    ASSERT_TRUE(image.Create(19, 400));
    DrawRecorder recorder(&image);
    SeedRandom(8);
    backdrop->Draw(recorder);
    SkylineCalls calls = Split(recorder);
    ASSERT_EQ(calls.ground.size(), 26u);
    std::set<std::pair<int32_t, int32_t>> stars;
    for (const DrawCall& star : calls.stars) stars.insert(std::make_pair(star.x, star.y));
    for (uint32_t y = 0; y < 360; ++y) {
        for (uint32_t x = 0; x < 19; ++x) {
            if (stars.count(std::make_pair(int32_t(x), int32_t(y))) == 0) {
                ASSERT_EQ(image.Word(x, y), 0x00001Fu) << x << "," << y;
            }
        }
    }
}

TEST_F(BackdropTest, DegenerateSizesDrawOnlyWhatFits)
{
    const uint32_t sizes[3][2] = {{0, 300}, {300, 0}, {0, 0}};
    for (const auto& size : sizes) {
        std::unique_ptr<Backdrop> backdrop = Skyline(size[0], size[1]);
        DrawRecorder recorder;
        SeedRandom(1);
        uint32_t seeded = RandomState();
        backdrop->Draw(recorder);
        EXPECT_EQ(RandomState(), seeded) << "no random draws";
        ASSERT_EQ(recorder.calls.size(), 1u);
        EXPECT_EQ(recorder.calls[0].kind, DrawCall::Fill);
        EXPECT_EQ(recorder.calls[0].x2, int32_t(size[0]));
        EXPECT_EQ(recorder.calls[0].y2, int32_t(size[1]));
    }
    // One and two rows: stars and ground, but no room for the rise of a building.
    for (uint32_t height : {1u, 2u}) {
        std::unique_ptr<Backdrop> backdrop = Skyline(8000, height);
        DrawRecorder recorder;
        backdrop->Draw(recorder);
        SkylineCalls calls = Split(recorder);
        EXPECT_EQ(calls.stars.size(), size_t(2 * height));
        ASSERT_EQ(calls.ground.size(), 1u);
        EXPECT_EQ(calls.ground[0].y, int32_t(height * 9 / 10));
    }
    std::unique_ptr<Backdrop> three = Skyline(100, 3);
    DrawRecorder recorder;
    three->Draw(recorder);
    EXPECT_EQ(Split(recorder).ground.size(), 26u) << "three rows allow rises of 0";
}

TEST_F(BackdropTest, CreationRuleFollowsStereo)
{
    std::unique_ptr<Backdrop> stereo(CreateBackdrop(64, 48, 1));
    ASSERT_NE(stereo, nullptr);
    EXPECT_EQ(dynamic_cast<SkylineBackdrop*>(stereo.get()), nullptr);
    EXPECT_EQ(stereo->width, 64u);
    EXPECT_EQ(stereo->height, 48u);
    EXPECT_EQ(stereo->colour, format().colorBlack);
    DrawRecorder recorder;
    uint32_t before = RandomState();
    stereo->Draw(recorder);
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0].kind, DrawCall::Fill);
    EXPECT_EQ(recorder.calls[0].x2, 64);
    EXPECT_EQ(recorder.calls[0].y2, 48);
    EXPECT_EQ(recorder.calls[0].colour, 0u);
    EXPECT_EQ(RandomState(), before);

    std::unique_ptr<Backdrop> mono(CreateBackdrop(64, 48, 0));
    ASSERT_NE(dynamic_cast<SkylineBackdrop*>(mono.get()), nullptr);
    EXPECT_EQ(mono->colour, 0x1Fu);
    std::unique_ptr<Backdrop> plain(new Backdrop(10, 10, 0x123456));
    DrawRecorder plainRecorder;
    plain->Draw(plainRecorder);
    ASSERT_EQ(plainRecorder.calls.size(), 1u);
    EXPECT_EQ(plainRecorder.calls[0].colour, MakeColorRef(0x12, 0x34, 0x56));
}
