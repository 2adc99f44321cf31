// GDI display back-end: the show in an ordinary window (the interactive show, the preview, and the
// screen saver when DirectDraw is not chosen or fails). The window's picture is composed in memory,
// in a 32-bit DIB section with the backdrop kept beside it, and each frame is shown with one blit of
// the rectangle that changed. Every colour is quantised to the fixed 3-3-2 format.
#pragma once
#include <windows.h>

#include <cstdint>

#include "engine/MemoryImage.h"
#include "render/DisplayBackend.h"
#include "render/WindowFrame.h"

class GdiBackend : public DisplayBackend {
public:
    GdiBackend(HWND window, uint32_t stereo);
    ~GdiBackend() override;

    // Sizes everything to the window's client area (one pixel of bitmap for a window not yet shown).
    bool Start() override;
    void Stop() override;
    void Frame(World& world) override;
    void Paint(DrawTarget& target, int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    // Rebuilds at the client size, with a new backdrop (a new random sky).
    bool Resize(uint32_t width, uint32_t height) override;
    const char* Name() const override { return "GDI"; }

private:
    HWND window;
    uint32_t stereo;
    HDC memoryDC;
    HBITMAP frameBitmap;
    HGDIOBJ previousBitmap;
    MemoryImage picture;   // the DIB section's bits: what the window shows
    MemoryImage backdrop;  // drawn once per start
    PixelRect unshown;     // changed in the picture but not yet copied to the window
};
