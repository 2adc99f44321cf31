// The picture behind the fireworks, painted once into a back-end's backdrop buffer: a plain colour
// (used for red/blue stereo, where it is black), or a night skyline with random stars over a black
// ground band with black buildings standing on it.
#pragma once
#include <cstdint>
#include <memory>

#include "engine/DrawTarget.h"
#include "engine/PixelFormat.h"

class Backdrop {
public:
    Backdrop(const Backdrop&) = delete;
    Backdrop& operator=(const Backdrop&) = delete;
    Backdrop(uint32_t width, uint32_t height, Pixel colour);
    virtual ~Backdrop();

    // Paints the rectangle (0, 0) to (width, height) of the target. May be called again at any time
    // (a lost surface is repainted this way); a skyline then gets new random stars and buildings.
    virtual void Draw(DrawTarget& target);

    uint32_t width;
    uint32_t height;
    Pixel colour;
};

// colour is the sky colour.
class SkylineBackdrop : public Backdrop {
public:
    SkylineBackdrop(uint32_t width, uint32_t height, Pixel skyColour);
    ~SkylineBackdrop() override;

    void Draw(DrawTarget& target) override;
};

// The backdrop for a buffer of width x height in the current pixel format: plain black in stereo,
// otherwise a skyline whose sky is blue at one eighth. Returns none when no memory is left.
std::unique_ptr<Backdrop> CreateBackdrop(uint32_t width, uint32_t height, uint32_t stereo);
