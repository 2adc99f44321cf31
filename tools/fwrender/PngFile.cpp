#include "tools/fwrender/PngFile.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {
// libpng reports errors by longjmp, so this part owns no C++ objects with destructors.
bool Encode(std::FILE* file, const SurfaceView& frame, png_byte* row)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 3);
    png_set_IHDR(png, info, frame.width, frame.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (uint32_t y = 0; y < frame.height; ++y) {
        const uint32_t* words = SurfaceRow(frame, static_cast<int32_t>(y));
        for (uint32_t x = 0; x < frame.width; ++x) {
            row[3 * x] = static_cast<png_byte>(words[x] >> 16);
            row[3 * x + 1] = static_cast<png_byte>(words[x] >> 8);
            row[3 * x + 2] = static_cast<png_byte>(words[x]);
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
}  // namespace

bool WritePng(const std::string& path, const SurfaceView& frame)
{
    if (frame.width == 0 || frame.height == 0) return false;
    std::vector<png_byte> row(static_cast<size_t>(frame.width) * 3);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool written = Encode(file, frame, row.data());
    bool closed = std::fclose(file) == 0;
    return written && closed;
}
