// An animated GIF written frame by frame through giflib: each frame gets its own 256-colour map
// from giflib's median-cut quantizer, a delay, and the whole animation loops forever.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/SurfaceView.h"

struct GifFileType;

class GifAnimation {
public:
    GifAnimation(const GifAnimation&) = delete;
    GifAnimation& operator=(const GifAnimation&) = delete;
    GifAnimation();
    ~GifAnimation();

    // delay: hundredths of a second per frame.
    bool Open(const std::string& path, uint32_t width, uint32_t height, uint32_t delay);
    // Frames must have the size given to Open; words 0x00RRGGBB.
    bool AddFrame(const SurfaceView& frame);
    // Finishes the file; true when every step since Open succeeded.
    bool Close();

private:
    GifFileType* file;
    uint32_t width, height, delay;
    bool failed;
    std::vector<uint8_t> red, green, blue, indices;
};
