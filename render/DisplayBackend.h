// Where the show's frames go. A back-end owns everything it draws with (device contexts, surfaces,
// the backdrop and its copies) and installs the pixel format it draws in. Three exist: GDI (a
// window), DirectDraw (full screen, a display mode of its own) and a headless one in memory for the
// tools and tests. The application holds one and knows none of their insides.
#pragma once
#include <cstdint>

class DrawTarget;
class FrameProfiler;
class World;

// The drawing surface a back-end set up: its size, and the display mode's depth and refresh rate
// (GDI reports 8 bits and 0 Hz, its colours being quantised to the fixed 3-3-2 format).
struct DisplayMode {
    uint32_t width;
    uint32_t height;
    uint32_t bitsPerPixel;
    uint32_t refreshRate;
};

class DisplayBackend {
public:
    DisplayBackend(const DisplayBackend&) = delete;
    DisplayBackend& operator=(const DisplayBackend&) = delete;
    virtual ~DisplayBackend() {}

    // Builds the surfaces and the backdrop and installs the pixel format. On false everything built
    // is released again, and nothing is shown.
    virtual bool Start() = 0;
    // Releases everything; safe after a failed or partial start, and when called twice.
    virtual void Stop() = 0;
    // One frame at the world's `now`: runs the due sparks (RunDueSparks, which the back-end may
    // watch to redraw each spark) and puts the result on the screen.
    virtual void Frame(World& world) = 0;
    // The window asks for the rectangle [left, right) x [top, bottom) to be repainted into target:
    // it shows the backdrop there, without sparks, until they move again. Back-ends that compose
    // whole frames (DirectDraw, headless) ignore it.
    virtual void Paint(DrawTarget& target, int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    // The window's drawing area has a new size. False when the back-end could not be rebuilt: it is
    // then stopped. A full-screen back-end keeps its display mode and answers true.
    virtual bool Resize(uint32_t width, uint32_t height) = 0;
    // True when it owns the whole screen, so the window must not erase or paint its own background.
    virtual bool OwnsScreen() const { return false; }
    // "GDI", "DirectDraw" or "memory", for the measuring tools.
    virtual const char* Name() const = 0;

    const DisplayMode& Mode() const { return mode; }
    // Times the phases of each frame (not owned); none in the show.
    void SetProfiler(FrameProfiler* profiler_) { profiler = profiler_; }

protected:
    DisplayBackend() : mode(), profiler(nullptr) {}

    DisplayMode mode;
    FrameProfiler* profiler;
};
