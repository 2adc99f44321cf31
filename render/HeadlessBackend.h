// The display back-end without a display, for the tools and the tests: the full-screen composition
// in memory. Every frame starts from a clean copy of the backdrop, runs the due pass and plots every
// queued spark in storage order, which is what the DirectDraw back-end shows, in the 8-8-8 format of
// a 32-bit display mode.
#pragma once
#include <cstdint>

#include "engine/MemoryImage.h"
#include "render/DisplayBackend.h"

class HeadlessBackend : public DisplayBackend {
public:
    HeadlessBackend(uint32_t width, uint32_t height, uint32_t stereo);

    // Draws the backdrop, which takes its random draws from the shared generator.
    bool Start() override;
    void Stop() override;
    void Frame(World& world) override;
    void Paint(DrawTarget&, int32_t, int32_t, int32_t, int32_t) override {}
    bool Resize(uint32_t width, uint32_t height) override;
    const char* Name() const override { return "memory"; }

    // The last frame (the backdrop alone before the first one).
    MemoryImage& Picture() { return picture; }

private:
    uint32_t stereo;
    MemoryImage backdrop;
    MemoryImage picture;
};
