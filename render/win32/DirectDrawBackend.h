// DirectDraw display back-end: the show full screen in a display mode of its own choosing (the
// widest 32-bit RGB mode up to min(screen width, 800)), with a two-buffer flip chain, an off-screen
// surface holding the drawn backdrop, and a copy of that backdrop in system memory from which every
// frame starts.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include <cstdint>
#include <memory>

#include "engine/MemoryImage.h"
#include "render/DisplayBackend.h"
#include "scenery/Backdrop.h"

class DirectDrawBackend : public DisplayBackend {
public:
    DirectDrawBackend(HWND window, uint32_t stereo);
    ~DirectDrawBackend() override;

    // Takes the screen exclusively for the window and switches the display mode.
    bool Start() override;
    // Restores the desktop's display mode, then releases the surfaces.
    void Stop() override;
    void Frame(World& world) override;
    void Paint(DrawTarget&, int32_t, int32_t, int32_t, int32_t) override {}
    bool Resize(uint32_t, uint32_t) override { return true; }
    bool OwnsScreen() const override { return true; }
    const char* Name() const override { return "DirectDraw"; }

    IDirectDraw2* DirectDraw() const { return directDraw; }
    IDirectDrawSurface* PrimarySurface() const { return primarySurface; }
    IDirectDrawSurface* BackgroundSurface() const { return backgroundSurface; }

private:
    static HRESULT WINAPI OnDisplayMode(LPDDSURFACEDESC mode, LPVOID context);
    bool CreateSurfaces();
    void DrawBackground();

    HWND window;
    uint32_t stereo;
    IDirectDraw2* directDraw;
    IDirectDrawSurface* primarySurface;
    IDirectDrawSurface* backBuffer;
    IDirectDrawSurface* backgroundSurface;
    std::unique_ptr<Backdrop> backdrop;
    MemoryImage backgroundCopy;  // the background surface's words, in the display's format
    bool copied;                 // backgroundCopy holds them (the surface could be locked)
};
