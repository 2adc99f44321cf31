// A drawing target in plain memory, for tests and tools: 32 bits per pixel, each word 0x00RRGGBB,
// which is the layout of a 32-bit DIB and of a display surface with the masks 0xFF0000, 0xFF00, 0xFF.
// So the same words serve as a DrawTarget (GDI colour values are converted on the way in and out)
// and, through View(), as a locked surface for PlotSurface under the 8-8-8 format.
// Clipping is GDI's: whatever falls outside the image is ignored.
#pragma once
#include <cstdint>
#include <memory>

#include "engine/DrawTarget.h"
#include "engine/SurfaceView.h"

class MemoryImage : public DrawTarget {
public:
    MemoryImage();
    ~MemoryImage() override;

    // Allocates a width x height image, all black. On failure (no memory, or a size whose rows or
    // total do not fit the coordinate range) the image is left empty and false is returned.
    bool Create(uint32_t width, uint32_t height);
    // Works on words the caller owns (a DIB section's bits, say), width x height of them, rows one
    // after the other; they must stay valid until the next Create, Attach or the destructor.
    void Attach(uint32_t* words, uint32_t width, uint32_t height);

    uint32_t Width() const { return width; }
    uint32_t Height() const { return height; }
    // The raw word 0x00RRGGBB at (x, y); the caller keeps inside the image.
    uint32_t Word(uint32_t x, uint32_t y) const { return words[static_cast<size_t>(y) * width + x]; }
    void SetWord(uint32_t x, uint32_t y, uint32_t word) { words[static_cast<size_t>(y) * width + x] = word; }
    const uint32_t* Words() const { return words; }
    SurfaceView View();

    void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, ColorRef colour) override;
    void SetPixel(int32_t x, int32_t y, ColorRef colour) override;
    ColorRef GetPixel(int32_t x, int32_t y) const override;
    // A MemoryImage source is copied row by row (overlapping copies within one image are safe);
    // any other kind of source pixel by pixel.
    void CopyBlock(int32_t x, int32_t y, int32_t width, int32_t height, const DrawTarget& source, int32_t sourceX,
                   int32_t sourceY) override;

    // The two colour layouts: GDI's 0x00BBGGRR and this image's 0x00RRGGBB.
    static uint32_t WordFromColorRef(ColorRef colour)
    {
        return (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
    }
    static ColorRef ColorRefFromWord(uint32_t word) { return WordFromColorRef(word); }

private:
    bool Contains(int32_t x, int32_t y) const
    {
        return x >= 0 && y >= 0 && static_cast<uint32_t>(x) < width && static_cast<uint32_t>(y) < height;
    }
    void Release();

    uint32_t width;
    uint32_t height;
    uint32_t* words;                    // the image's own words, or the caller's
    std::unique_ptr<uint32_t[]> owned;  // the image's own words
};
