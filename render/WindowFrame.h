// The GDI frame, composed in memory. The window's picture is kept in a 32-bit image (in the show a
// DIB section that the window is copied from) with the backdrop beside it. While the due pass runs,
// each spark is erased from the picture with the backdrop's pixels before its script runs and plotted
// again once it is back in the queue, exactly as the window used to be drawn pixel by pixel
// (EraseDc, PlotDc); the caller then shows the rectangle that changed with one copy.
#pragma once
#include <cstdint>

class MemoryImage;
class World;

// [left, right) x [top, bottom); empty when right <= left.
struct PixelRect {
    int32_t left, top, right, bottom;
    bool Empty() const { return right <= left || bottom <= top; }
};

// Runs the world's due pass with the window's erasing and plotting done in picture (backdrop has the
// same size). Returns the rectangle of picture that changed; sparks that did not run keep their pixels.
PixelRect RunWindowFrame(World& world, MemoryImage& picture, const MemoryImage& backdrop, uint32_t stereo);

// The smallest rectangle holding both; an empty one adds nothing.
PixelRect Union(const PixelRect& a, const PixelRect& b);

// The part of [left, right) x [top, bottom) that lies on a width x height picture.
PixelRect Clip(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t width, uint32_t height);
