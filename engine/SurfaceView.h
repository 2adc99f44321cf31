// A locked 32-bit drawing surface as the plotting code sees it: each pixel is one 32-bit word holding
// a Pixel of the current format, and a row is pitch / 4 words from the next. A DirectDraw back buffer
// and a MemoryImage both describe themselves this way.
#pragma once
#include <cstddef>
#include <cstdint>

struct SurfaceView {
    uint32_t height;       // rows
    uint32_t width;        // pixels per row
    int32_t pitch;         // bytes from one row to the next
    uint32_t* firstPixel;  // the word of column 0, row 0
};

inline uint32_t* SurfaceRow(const SurfaceView& surface, int32_t row)
{
    return surface.firstPixel + static_cast<ptrdiff_t>(row) * (surface.pitch / 4);
}
