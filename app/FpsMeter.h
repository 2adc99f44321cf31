// The frame-rate meter of -fps-meter: counts the frames shown and, once a second, takes their number
// as the rate; draws it ("49.8 fps") in white on black into the bottom-left corner of each picture,
// with a small built-in font so that it needs nothing from the X server.
#pragma once
#include <cstdint>

#include "engine/SurfaceView.h"

class FpsMeter {
public:
    // One frame was shown at `now` (milliseconds).
    void Count(uint32_t now);
    double Rate() const { return rate; }
    void Draw(const SurfaceView& picture) const;

private:
    uint32_t since = 0;
    uint32_t frames = 0;
    bool started = false;
    double rate = 0;
};
