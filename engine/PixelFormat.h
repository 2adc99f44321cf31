// Colours as raw pixel values of the display's own format, and the one process-wide description of
// that format: channel masks, the derived shifts and ranges, and the named colours of the show.
#pragma once
#include <cstdint>

typedef uint32_t Pixel;

struct ChannelFormat {
    uint32_t mask;
    uint32_t shift;     // clear bits below the lowest set bit
    uint32_t maxValue;  // 2^w - 1 for the lowest contiguous run of w set bits
    uint32_t highBit;   // value of the highest bit of that run
};

// Analyses one mask; only its lowest run of set bits counts for shift, width and high bit.
ChannelFormat AnalyseMask(uint32_t mask);

class PixelFormat {
public:
    PixelFormat();

    // Installs a format and recomputes every named colour from it.
    void SetMasks(uint32_t redMask, uint32_t greenMask, uint32_t blueMask);

    Pixel FromRgb(uint32_t r, uint32_t g, uint32_t b) const;
    // GDI colour value 0x00BBGGRR of a pixel: each channel scaled to 0..255 (truncating), by table.
    uint32_t ToColorRef(Pixel v) const
    {
        return redBytes[ChannelByte(v, red)] | greenBytes[ChannelByte(v, green)] << 8 | blueBytes[ChannelByte(v, blue)] << 16;
    }
    // Every channel halved on its own, remainders dropped.
    Pixel Half(Pixel v) const { return (v >> 1) & ~allHighBits; }
    // Per-channel sum, each channel clamped to its mask.
    Pixel AddSaturated(Pixel v, Pixel other) const
    {
        return AddChannel(v, other, red.mask) | AddChannel(v, other, green.mask) | AddChannel(v, other, blue.mask);
    }

    ChannelFormat red, green, blue;
    uint32_t allHighBits;

    Pixel colorBlack, colorRed, colorBlue, colorCyan, colorYellow, colorWhite, colorDarkBlue;

private:
    static uint32_t ChannelByte(Pixel v, const ChannelFormat& f) { return ((v & f.mask) >> (f.shift & 31u)) & 0xFFu; }
    static Pixel AddChannel(Pixel v, Pixel other, uint32_t mask)
    {
        uint32_t s = (v & mask) + (other & mask);
        return s > mask ? mask : s;
    }

    // 0..255 for each raw channel value of the low byte, per channel, made by SetMasks.
    uint32_t redBytes[256], greenBytes[256], blueBytes[256];
};

// The format of the running display, installed by the active back-end.
PixelFormat& GlobalPixelFormat();
