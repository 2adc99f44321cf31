#include "tools/fwrender/GifFile.h"

#include <gif_lib.h>

#include <cstring>

GifAnimation::GifAnimation() : file(nullptr), width(0), height(0), delay(0), failed(false) {}

GifAnimation::~GifAnimation() { Close(); }

bool GifAnimation::Open(const std::string& path, uint32_t width_, uint32_t height_, uint32_t delay_)
{
    Close();
    if (width_ == 0 || height_ == 0 || width_ > 65535 || height_ > 65535) return false;
    int error = 0;
    file = EGifOpenFileName(path.c_str(), false, &error);
    if (file == nullptr) return false;
    width = width_;
    height = height_;
    delay = delay_;
    failed = false;
    size_t pixels = static_cast<size_t>(width) * height;
    red.assign(pixels, 0);
    green.assign(pixels, 0);
    blue.assign(pixels, 0);
    indices.assign(pixels, 0);

    EGifSetGifVersion(file, true);
    if (EGifPutScreenDesc(file, static_cast<int>(width), static_cast<int>(height), 8, 0, nullptr) != GIF_OK) failed = true;
    // The application extension that makes viewers loop the animation forever.
    static const char netscape[] = "NETSCAPE2.0";
    const unsigned char loopForever[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(file, 11, netscape) != GIF_OK || EGifPutExtensionBlock(file, 3, loopForever) != GIF_OK ||
        EGifPutExtensionTrailer(file) != GIF_OK) {
        failed = true;
    }
    return !failed;
}

bool GifAnimation::AddFrame(const SurfaceView& frame)
{
    if (file == nullptr || failed) return false;
    if (frame.width != width || frame.height != height) return false;
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t* words = SurfaceRow(frame, static_cast<int32_t>(y));
        size_t base = static_cast<size_t>(y) * width;
        for (uint32_t x = 0; x < width; ++x) {
            red[base + x] = static_cast<uint8_t>(words[x] >> 16);
            green[base + x] = static_cast<uint8_t>(words[x] >> 8);
            blue[base + x] = static_cast<uint8_t>(words[x]);
        }
    }
    GifColorType colours[256];
    std::memset(colours, 0, sizeof colours);
    int colourCount = 256;
    if (GifQuantizeBuffer(width, height, &colourCount, red.data(), green.data(), blue.data(), indices.data(),
                          colours) != GIF_OK) {
        failed = true;
        return false;
    }
    GraphicsControlBlock control;
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.UserInputFlag = false;
    control.DelayTime = static_cast<int>(delay);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    size_t length = EGifGCBToExtension(&control, extension);
    ColorMapObject* map = GifMakeMapObject(256, colours);
    if (map == nullptr) {
        failed = true;
        return false;
    }
    bool ok = EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK &&
              EGifPutImageDesc(file, 0, 0, static_cast<int>(width), static_cast<int>(height), false, map) == GIF_OK;
    for (uint32_t y = 0; ok && y < height; ++y) {
        ok = EGifPutLine(file, indices.data() + static_cast<size_t>(y) * width, static_cast<int>(width)) == GIF_OK;
    }
    GifFreeMapObject(map);
    if (!ok) failed = true;
    return ok;
}

bool GifAnimation::Close()
{
    if (file == nullptr) return false;
    int error = 0;
    bool closed = EGifCloseFile(file, &error) == GIF_OK;
    file = nullptr;
    return closed && !failed;
}
