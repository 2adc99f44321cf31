#include "app/FpsMeter.h"

#include <cstdio>
#include <cstring>

#include "engine/PixelFormat.h"

namespace {
// 3 x 5 glyphs, one row per entry, the high bit of three on the left.
struct Glyph {
    char c;
    uint8_t rows[5];
};
const Glyph glyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 7, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 1, 1}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'.', {0, 0, 0, 0, 2}}, {'f', {3, 4, 6, 4, 4}},
    {'p', {7, 5, 7, 4, 4}}, {'s', {3, 4, 2, 1, 6}}, {' ', {0, 0, 0, 0, 0}},
};
const int32_t scale = 2;                 // screen pixels per font pixel
const int32_t advance = 4 * scale;       // a glyph and one column of space
const int32_t lineHeight = 7 * scale;    // five rows and a margin above and below

void Fill(const SurfaceView& picture, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour)
{
    for (int32_t y = top < 0 ? 0 : top; y < bottom && y < static_cast<int32_t>(picture.height); ++y)
        for (int32_t x = left < 0 ? 0 : left; x < right && x < static_cast<int32_t>(picture.width); ++x)
            SurfaceRow(picture, y)[x] = colour;
}
}  // namespace

void FpsMeter::Count(uint32_t now)
{
    if (!started) {
        started = true;
        since = now;
    }
    ++frames;
    uint32_t elapsed = now - since;
    if (elapsed >= 1000) {
        rate = frames * 1000.0 / elapsed;
        frames = 0;
        since = now;
    }
}

void FpsMeter::Draw(const SurfaceView& picture) const
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f fps", rate);
    int32_t length = static_cast<int32_t>(std::strlen(text));
    int32_t top = static_cast<int32_t>(picture.height) - lineHeight;
    const PixelFormat& format = GlobalPixelFormat();
    Fill(picture, 0, top, (length + 1) * advance, top + lineHeight, format.colorBlack);
    for (int32_t i = 0; i < length; ++i) {
        for (const Glyph& glyph : glyphs) {
            if (glyph.c != text[i]) continue;
            for (int32_t row = 0; row < 5; ++row)
                for (int32_t column = 0; column < 3; ++column)
                    if (glyph.rows[row] & (4 >> column)) {
                        int32_t x = scale + i * advance + column * scale, y = top + scale + row * scale;
                        Fill(picture, x, y, x + scale, y + scale, format.colorWhite);
                    }
        }
    }
}
