#include "engine/MemoryImage.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {
// Sizes kept so that every pixel has an int32 coordinate and a row's byte pitch fits an int32.
const uint32_t MaxSide = 0x1FFFFFFFu;

// [from, to) clipped to [0, limit); empty when to <= from afterwards.
void ClipSpan(int64_t& from, int64_t& to, int64_t limit)
{
    from = std::max<int64_t>(from, 0);
    to = std::min<int64_t>(to, limit);
}
}  // namespace

MemoryImage::MemoryImage() : width(0), height(0), words(nullptr) {}

MemoryImage::~MemoryImage() { Release(); }

void MemoryImage::Release()
{
    owned.reset();
    words = nullptr;
    width = 0;
    height = 0;
}

bool MemoryImage::Create(uint32_t width_, uint32_t height_)
{
    Release();
    if (width_ > MaxSide || height_ > MaxSide) return false;
    uint64_t count = static_cast<uint64_t>(width_) * height_;
    if (count > SIZE_MAX / sizeof(uint32_t)) return false;
    if (count != 0) {
        owned.reset(new (std::nothrow) uint32_t[static_cast<size_t>(count)]);
        if (!owned) return false;
        words = owned.get();
        std::memset(words, 0, static_cast<size_t>(count) * sizeof(uint32_t));
    }
    width = width_;
    height = height_;
    return true;
}

void MemoryImage::Attach(uint32_t* words_, uint32_t width_, uint32_t height_)
{
    Release();
    if (words_ == nullptr || width_ > MaxSide || height_ > MaxSide) return;
    words = words_;
    width = width_;
    height = height_;
}

SurfaceView MemoryImage::View()
{
    SurfaceView view = {height, width, static_cast<int32_t>(width * 4u), words};
    return view;
}

void MemoryImage::FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, ColorRef colour)
{
    int64_t x0 = left, x1 = right, y0 = top, y1 = bottom;
    ClipSpan(x0, x1, width);
    ClipSpan(y0, y1, height);
    if (x1 <= x0 || y1 <= y0) return;
    uint32_t word = WordFromColorRef(colour);
    for (int64_t y = y0; y < y1; ++y) {
        uint32_t* row = words + static_cast<size_t>(y) * width;
        std::fill(row + x0, row + x1, word);
    }
}

void MemoryImage::SetPixel(int32_t x, int32_t y, ColorRef colour)
{
    if (Contains(x, y)) SetWord(static_cast<uint32_t>(x), static_cast<uint32_t>(y), WordFromColorRef(colour));
}

ColorRef MemoryImage::GetPixel(int32_t x, int32_t y) const
{
    if (!Contains(x, y)) return InvalidColor;
    return ColorRefFromWord(Word(static_cast<uint32_t>(x), static_cast<uint32_t>(y)));
}

void MemoryImage::CopyBlock(int32_t x, int32_t y, int32_t blockWidth, int32_t blockHeight, const DrawTarget& source,
                            int32_t sourceX, int32_t sourceY)
{
    const MemoryImage* image = dynamic_cast<const MemoryImage*>(&source);
    if (image == nullptr) {
        CopyBlockByPixels(*this, x, y, blockWidth, blockHeight, source, sourceX, sourceY);
        return;
    }
    // Clip the block to the source and to this image, moving both corners together.
    int64_t fromX = sourceX, fromY = sourceY, toX = x, toY = y;
    int64_t w = blockWidth, h = blockHeight;
    int64_t skip = std::max<int64_t>({0, -fromX, -toX});
    fromX += skip;
    toX += skip;
    w -= skip;
    skip = std::max<int64_t>({0, -fromY, -toY});
    fromY += skip;
    toY += skip;
    h -= skip;
    w = std::min<int64_t>({w, static_cast<int64_t>(image->width) - fromX, static_cast<int64_t>(width) - toX});
    h = std::min<int64_t>({h, static_cast<int64_t>(image->height) - fromY, static_cast<int64_t>(height) - toY});
    if (w <= 0 || h <= 0) return;
    // Rows go bottom-up when a block moves down within one image, so no source row is overwritten
    // before it is read; memmove takes care of overlap within a row.
    bool upward = image == this && toY > fromY;
    for (int64_t i = 0; i < h; ++i) {
        int64_t row = upward ? h - 1 - i : i;
        const uint32_t* from = image->words + static_cast<size_t>(fromY + row) * image->width + fromX;
        uint32_t* to = words + static_cast<size_t>(toY + row) * width + toX;
        std::memmove(to, from, static_cast<size_t>(w) * sizeof(uint32_t));
    }
}
