// DirectDraw display back-end: the show full screen in a display mode of its own choosing, with a
// two-buffer flip chain and an off-screen copy of the backdrop. Any failing step of the set-up takes
// down what was built and reports false, and the application falls back to GDI without a message.
// Surfaces lost while the show runs (the user switched away) are restored by the frame.
#include "app/FireworksApp.h"

#include "app/FrameProfiler.h"
#include "engine/DuePass.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/GdiTarget.h"
#include "render/Plot.h"
#include "render/SystemLibrary.h"
#include "scenery/Backdrop.h"
#include "settings/Settings.h"

#ifndef _WIN64
static_assert(sizeof(DDSURFACEDESC) == 108, "the first surface description is 108 bytes");
#endif

namespace {
// The plotting writes 32-bit words, so only 32-bit RGB modes can be drawn into.
bool IsDrawableMode(const DDPIXELFORMAT& format)
{
    const DWORD paletteFlags = DDPF_PALETTEINDEXED1 | DDPF_PALETTEINDEXED2 | DDPF_PALETTEINDEXED4 |
                               DDPF_PALETTEINDEXED8 | DDPF_PALETTEINDEXEDTO8;
    return (format.dwFlags & DDPF_RGB) != 0 && (format.dwFlags & paletteFlags) == 0 && format.dwRGBBitCount == 32;
}

HRESULT CopyBackground(IDirectDrawSurface* target, IDirectDrawSurface* source)
{
    return target->BltFast(0, 0, source, nullptr, DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT);
}

void DrawBackdropInto(IDirectDrawSurface* surface, Backdrop* backdrop)
{
    HDC dc = nullptr;
    if (FAILED(surface->GetDC(&dc))) return;
    GdiTarget target(dc);
    backdrop->Draw(target);
    surface->ReleaseDC(dc);
}

template <typename T> void Release(T*& object)
{
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}
}  // namespace

HRESULT WINAPI FireworksApp::OnDisplayMode(LPDDSURFACEDESC mode, LPVOID context)
{
    FireworksApp* app = static_cast<FireworksApp*>(context);
    uint32_t limit = static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN));
    if (limit > 800) limit = 800;
    const DDPIXELFORMAT& format = mode->ddpfPixelFormat;
    if (mode->dwWidth >= app->width && mode->dwWidth <= limit && IsDrawableMode(format)) {
        app->SetDisplayGeometry(mode->dwWidth, mode->dwHeight, format.dwRGBBitCount, mode->dwRefreshRate,
                                format.dwRBitMask, format.dwGBitMask, format.dwBBitMask);
    }
    return DDENUMRET_OK;
}

bool FireworksApp::StartDirectDraw()
{
    do {
        IDirectDraw* first = nullptr;
        if (FAILED(SystemDirectDrawCreate(nullptr, &first, nullptr))) break;
        HRESULT hr = first->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&directDraw));
        first->Release();
        if (FAILED(hr)) {
            directDraw = nullptr;
            break;
        }
        if (FAILED(directDraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT)))
            break;
        SetDisplayGeometry(0, 0, 0, 0, 0, 0, 0);
        if (FAILED(directDraw->EnumDisplayModes(0, nullptr, this, OnDisplayMode))) break;
        if (width == 0 || height == 0) break;
        if (FAILED(directDraw->SetDisplayMode(width, height, bitsPerPixel, refreshRate, 0))) break;

        DDSURFACEDESC desc;
        ZeroMemory(&desc, sizeof desc);
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        desc.dwBackBufferCount = 1;
        if (FAILED(directDraw->CreateSurface(&desc, &primarySurface, nullptr))) {
            primarySurface = nullptr;
            break;
        }
        DDSCAPS caps = {DDSCAPS_BACKBUFFER};
        if (FAILED(primarySurface->GetAttachedSurface(&caps, &backBuffer))) {
            backBuffer = nullptr;
            break;
        }
        ZeroMemory(&desc, sizeof desc);
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
        desc.dwHeight = height;
        desc.dwWidth = width;
        desc.ddpfPixelFormat.dwSize = sizeof desc.ddpfPixelFormat;
        if (FAILED(directDraw->CreateSurface(&desc, &backgroundSurface, nullptr))) {
            backgroundSurface = nullptr;
            break;
        }
        CreateBackdrop();
        if (backdrop == nullptr) break;
        DrawBackdropInto(backgroundSurface, backdrop);
        // Both buffers of the flip chain start with the backdrop.
        CopyBackground(backBuffer, backgroundSurface);
        primarySurface->Flip(nullptr, DDFLIP_WAIT);
        CopyBackground(backBuffer, backgroundSurface);
        backend = 1;
    } while (false);
    if (backend != 1) StopDirectDraw();
    return backend == 1;
}

void FireworksApp::StopDirectDraw()
{
    if (directDraw != nullptr) {
        directDraw->RestoreDisplayMode();
        Release(backBuffer);
        Release(primarySurface);
        Release(backgroundSurface);
        Release(directDraw);
    }
    delete backdrop;
    backdrop = nullptr;
    backend = 0;
}

void FireworksApp::DrawDirectDrawFrame()
{
    if (primarySurface->IsLost() == DDERR_SURFACELOST) primarySurface->Restore();
    {
        PhaseTimer timer(profiler, FrameProfiler::DuePass);
        RunDueSparks(*world);
    }
    {
        PhaseTimer timer(profiler, FrameProfiler::Plotting);
        DDSURFACEDESC desc;
        ZeroMemory(&desc, sizeof desc);
        desc.dwSize = sizeof desc;
        if (SUCCEEDED(backBuffer->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) {
            SurfaceView view = {desc.dwHeight, desc.dwWidth, static_cast<int32_t>(desc.lPitch),
                                static_cast<uint32_t*>(desc.lpSurface)};
            const uint32_t stereo = static_cast<uint32_t>(settings->Stereo);
            for (uint32_t i = 0; i < sparkQueue->Count(); ++i) PlotSurface(*sparkQueue->At(i), view, *world, stereo);
            backBuffer->Unlock(nullptr);
        }
    }
    {
        PhaseTimer timer(profiler, FrameProfiler::Flip);
        primarySurface->Flip(nullptr, DDFLIP_WAIT);
    }
    PhaseTimer timer(profiler, FrameProfiler::BackdropCopy);
    if (backgroundSurface->IsLost() == DDERR_SURFACELOST) {
        backgroundSurface->Restore();
        DrawBackdropInto(backgroundSurface, backdrop);
    }
    CopyBackground(backBuffer, backgroundSurface);
}
