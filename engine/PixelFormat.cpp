#include "engine/PixelFormat.h"

ChannelFormat AnalyseMask(uint32_t mask)
{
    ChannelFormat c = {mask, 0, 0, 0};
    uint32_t run = 0;
    enum { Searching, InRun, Done } state = Searching;
    for (uint32_t bit = 0; bit < 32; ++bit) {
        bool set = ((mask >> bit) & 1u) != 0;
        if (state == Searching) {
            if (set) {
                c.highBit = 1u << bit;
                run = 2;
                state = InRun;
            } else {
                ++c.shift;
            }
        } else if (state == InRun) {
            if (set) {
                c.highBit = 1u << bit;
                run *= 2;
            } else {
                state = Done;
            }
        }
    }
    c.maxValue = run - 1;
    if (state == Searching) c.maxValue = 0;
    return c;
}

PixelFormat::PixelFormat()
    : red(), green(), blue(), allHighBits(0), colorBlack(0), colorRed(0), colorBlue(0), colorCyan(0), colorYellow(0),
      colorWhite(0), colorDarkBlue(0), redBytes(), greenBytes(), blueBytes()
{
}

namespace {
// A channel without bits (a mask of 0, whose shift is 32) stays 0.
uint32_t Scale(uint32_t c, const ChannelFormat& f) { return f.maxValue == 0 ? 0 : ((c * f.maxValue) / 255u) << f.shift; }

// A channel's raw value scaled to a byte: value * 255 / maximum, truncated, for every raw value the
// low byte can hold. A channel without bits is always 0.
void FillBytes(uint32_t* bytes, const ChannelFormat& f)
{
    for (uint32_t ch = 0; ch < 256; ++ch) bytes[ch] = f.maxValue == 0 ? 0 : ((ch * 255u) / f.maxValue) & 0xFFu;
}
}  // namespace

void PixelFormat::SetMasks(uint32_t redMask, uint32_t greenMask, uint32_t blueMask)
{
    red = AnalyseMask(redMask);
    green = AnalyseMask(greenMask);
    blue = AnalyseMask(blueMask);
    allHighBits = red.highBit | green.highBit | blue.highBit;
    colorBlack = 0;
    colorRed = redMask;
    colorBlue = blueMask;
    colorCyan = greenMask | blueMask;
    colorYellow = redMask | greenMask;
    colorWhite = redMask | greenMask | blueMask;
    colorDarkBlue = Half(Half(colorBlue));
    FillBytes(redBytes, red);
    FillBytes(greenBytes, green);
    FillBytes(blueBytes, blue);
}

Pixel PixelFormat::FromRgb(uint32_t r, uint32_t g, uint32_t b) const
{
    return Scale(r, red) | Scale(g, green) | Scale(b, blue);
}

PixelFormat& GlobalPixelFormat()
{
    static PixelFormat format;
    return format;
}
