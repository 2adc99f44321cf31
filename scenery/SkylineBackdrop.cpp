#include "engine/Random.h"
#include "scenery/Backdrop.h"
#include "scenery/Coordinates.h"

namespace {
const uint32_t PixelsPerStar = 4000;
const int BuildingCount = 25;

// A star is full white with probability 1/2, half white with 1/4, quarter white with 1/8, ...
Pixel StarColour(const PixelFormat& format)
{
    Pixel colour = format.colorWhite;
    while (Rand() % 100 < 50) colour = format.Half(colour);
    return colour;
}
}  // namespace

SkylineBackdrop::SkylineBackdrop(uint32_t width_, uint32_t height_, Pixel skyColour) : Backdrop(width_, height_, skyColour)
{
}

SkylineBackdrop::~SkylineBackdrop() {}

void SkylineBackdrop::Draw(DrawTarget& target)
{
    const PixelFormat& format = GlobalPixelFormat();
    Backdrop::Draw(target);
    // Nothing to place stars or buildings on; this also keeps every "mod" below away from zero.
    if (width == 0 || height == 0) return;

    uint32_t stars = width * height / PixelsPerStar;
    for (uint32_t i = 0; i < stars; ++i) {
        Pixel star = StarColour(format);
        uint32_t row = Rand() % height;
        uint32_t column = Rand() % width;
        target.SetPixel(CoordinateOf(column), CoordinateOf(row), format.ToColorRef(star));
    }

    int64_t groundTop = static_cast<int64_t>(height) * 9 / 10;
    ColorRef black = format.ToColorRef(format.colorBlack);
    target.FillRect(0, CoordinateOf(groundTop), CoordinateOf(width), CoordinateOf(height), black);

    // Rises are drawn below a third of the height; a skyline lower than three rows has no room for
    // a building and skips them all, drawing nothing from the generator.
    uint32_t maxRise = height / 3;
    if (maxRise == 0) return;
    uint32_t unit = width / 20;
    for (int i = 0; i < BuildingCount; ++i) {
        int64_t left = Rand() % width;
        int64_t span = static_cast<int64_t>(Rand() % 5) * unit;
        int64_t rise = Rand() % maxRise;
        target.FillRect(CoordinateOf(left), CoordinateOf(groundTop - rise), CoordinateOf(left + span),
                        CoordinateOf(groundTop), black);
    }
}
