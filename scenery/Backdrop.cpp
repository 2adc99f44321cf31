#include "scenery/Backdrop.h"

#include <new>

#include "scenery/Coordinates.h"

Backdrop::Backdrop(uint32_t width_, uint32_t height_, Pixel colour_) : width(width_), height(height_), colour(colour_) {}

Backdrop::~Backdrop() {}

void Backdrop::Draw(DrawTarget& target)
{
    target.FillRect(0, 0, CoordinateOf(width), CoordinateOf(height), GlobalPixelFormat().ToColorRef(colour));
}

std::unique_ptr<Backdrop> CreateBackdrop(uint32_t width, uint32_t height, uint32_t stereo)
{
    const PixelFormat& format = GlobalPixelFormat();
    if (stereo != 0) return std::unique_ptr<Backdrop>(new (std::nothrow) Backdrop(width, height, format.colorBlack));
    return std::unique_ptr<Backdrop>(new (std::nothrow) SkylineBackdrop(width, height, format.Half(format.colorDarkBlue)));
}
