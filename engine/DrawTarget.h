// The drawing seam between portable code and the platform: what spark plotting and the backdrops
// need from a device context and no more. Colours are GDI colour values, 0x00BBGGRR.
// Every operation clips the way GDI does: the parts that fall outside the target (or, for a block
// copy, outside the source) are left alone, and nothing fails loudly.
#pragma once
#include <cstdint>

typedef uint32_t ColorRef;

// What GetPixel reports for a point outside the target.
const ColorRef InvalidColor = 0xFFFFFFFFu;

inline ColorRef MakeColorRef(uint32_t r, uint32_t g, uint32_t b) { return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16; }

class DrawTarget {
public:
    DrawTarget(const DrawTarget&) = delete;
    DrawTarget& operator=(const DrawTarget&) = delete;
    virtual ~DrawTarget() {}

    // Paints the rectangle [left, right) x [top, bottom) with a solid colour. An empty or inverted
    // rectangle paints nothing.
    virtual void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, ColorRef colour) = 0;
    virtual void SetPixel(int32_t x, int32_t y, ColorRef colour) = 0;
    // The colour at (x, y), or InvalidColor outside the target.
    virtual ColorRef GetPixel(int32_t x, int32_t y) const = 0;
    // Copies the width x height block at (sourceX, sourceY) of source to (x, y) of this target,
    // replacing what was there.
    virtual void CopyBlock(int32_t x, int32_t y, int32_t width, int32_t height, const DrawTarget& source,
                           int32_t sourceX, int32_t sourceY) = 0;

protected:
    DrawTarget() {}
};

// Block copy through GetPixel and SetPixel, for two targets of different kinds. Points outside the
// source are skipped, points outside the target are clipped by SetPixel.
void CopyBlockByPixels(DrawTarget& target, int32_t x, int32_t y, int32_t width, int32_t height,
                       const DrawTarget& source, int32_t sourceX, int32_t sourceY);
