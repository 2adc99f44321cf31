#include "render/WindowFrame.h"

#include <algorithm>
#include <cstdint>

#include "engine/DuePass.h"
#include "engine/MemoryImage.h"
#include "engine/World.h"
#include "render/Plot.h"

PixelRect Union(const PixelRect& a, const PixelRect& b)
{
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return PixelRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                     std::max(a.bottom, b.bottom)};
}

PixelRect Clip(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t width, uint32_t height)
{
    int64_t w = width, h = height;
    PixelRect r = {static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(left, 0), w)),
                   static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(top, 0), h)),
                   static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(right, 0), w)),
                   static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(bottom, 0), h))};
    return r;
}

namespace {
// The picture as the plotting code's drawing target, noting the part of it that every write touches.
// Writes on the picture are done here directly, the plotting code's single pixels and the 3 x 3
// blocks it copies back from the backdrop being most of a frame's work.
class ChangeTracker : public DrawTarget {
public:
    ChangeTracker(MemoryImage& picture_, const MemoryImage& backdrop_)
        : picture(picture_), backdrop(backdrop_), width(picture_.Width()), height(picture_.Height()),
          left(INT32_MAX), top(INT32_MAX), right(INT32_MIN), bottom(INT32_MIN)
    {
    }

    void FillRect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, ColorRef colour) override
    {
        picture.MemoryImage::FillRect(x0, y0, x1, y1, colour);
        Note(x0, y0, static_cast<int64_t>(x1) - x0, static_cast<int64_t>(y1) - y0);
    }
    void SetPixel(int32_t x, int32_t y, ColorRef colour) override
    {
        if (!Contains(x, y)) return;
        picture.SetWord(static_cast<uint32_t>(x), static_cast<uint32_t>(y), MemoryImage::WordFromColorRef(colour));
        Grow(x, y, x + 1, y + 1);
    }
    ColorRef GetPixel(int32_t x, int32_t y) const override { return picture.MemoryImage::GetPixel(x, y); }
    void CopyBlock(int32_t x, int32_t y, int32_t w, int32_t h, const DrawTarget& source, int32_t sourceX,
                   int32_t sourceY) override
    {
        if (&source == &backdrop && x == sourceX && y == sourceY && w > 0 && h > 0 && Contains(x, y) &&
            static_cast<int64_t>(x) + w <= width && static_cast<int64_t>(y) + h <= height) {
            for (int32_t row = y; row < y + h; ++row) {
                for (int32_t column = x; column < x + w; ++column) {
                    uint32_t c = static_cast<uint32_t>(column), r = static_cast<uint32_t>(row);
                    picture.SetWord(c, r, backdrop.Word(c, r));
                }
            }
            Grow(x, y, x + w, y + h);
            return;
        }
        picture.MemoryImage::CopyBlock(x, y, w, h, source, sourceX, sourceY);
        Note(x, y, w, h);
    }

    const MemoryImage& Backdrop() const { return backdrop; }
    PixelRect Changed() const
    {
        return right > left ? PixelRect{left, top, right, bottom} : PixelRect{0, 0, 0, 0};
    }

private:
    bool Contains(int32_t x, int32_t y) const
    {
        return x >= 0 && y >= 0 && static_cast<uint32_t>(x) < width && static_cast<uint32_t>(y) < height;
    }
    void Grow(int32_t x0, int32_t y0, int32_t x1, int32_t y1)
    {
        if (x0 < left) left = x0;
        if (y0 < top) top = y0;
        if (x1 > right) right = x1;
        if (y1 > bottom) bottom = y1;
    }
    // Grows the changed rectangle by the part of the block that lies on the picture.
    void Note(int64_t x, int64_t y, int64_t w, int64_t h)
    {
        PixelRect r = Clip(static_cast<int32_t>(std::max<int64_t>(x, INT32_MIN)), static_cast<int32_t>(std::max<int64_t>(y, INT32_MIN)),
                           static_cast<int32_t>(std::min<int64_t>(x + w, INT32_MAX)),
                           static_cast<int32_t>(std::min<int64_t>(y + h, INT32_MAX)), width, height);
        if (!r.Empty()) Grow(r.left, r.top, r.right, r.bottom);
    }

    MemoryImage& picture;
    const MemoryImage& backdrop;
    uint32_t width, height;
    int32_t left, top, right, bottom;
};

class PictureRedraw : public DueSparkObserver {
public:
    PictureRedraw(ChangeTracker& picture_, const World& world_, uint32_t stereo_)
        : picture(picture_), world(world_), stereo(stereo_)
    {
    }
    void BeforeRun(const Spark& spark) override { EraseDc(spark, picture, picture.Backdrop(), world, stereo); }
    void AfterRequeue(const Spark& spark) override { PlotDc(spark, picture, world, stereo); }

private:
    ChangeTracker& picture;
    const World& world;
    uint32_t stereo;
};
}  // namespace

PixelRect RunWindowFrame(World& world, MemoryImage& picture, const MemoryImage& backdrop, uint32_t stereo)
{
    ChangeTracker tracker(picture, backdrop);
    PictureRedraw redraw(tracker, world, stereo);
    RunDueSparks(world, &redraw);
    return tracker.Changed();
}
