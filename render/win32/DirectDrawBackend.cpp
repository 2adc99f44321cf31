// DirectDrawBackend: DirectDrawCreate and IDirectDraw2 in exclusive full-screen mode, a primary
// surface with one back buffer, an off-screen plain surface for the backdrop. Any failing step of the
// set-up takes down what was built and reports false, and the application falls back to GDI without
// a message. Surfaces lost while the show runs (the user switched away) are restored by the frame.
//
// A frame locks the back buffer once: the backdrop is copied in from system memory, the sparks are
// plotted, and the buffer is flipped. The blitter copy this replaces (BltFast of the background
// surface right after the flip) cost 4-5 ms a frame under Wine, and not for copying: Wine runs
// DirectDraw on a command thread of its own that presents each flip through OpenGL (the front buffer
// uploaded into a texture, drawn into the window, buffers swapped; in software where there is no
// GPU), and a blit queued right behind a flip waits until all of that is done. Copying under the
// frame's lock, after the due pass, leaves that thread the due pass's time to present, and the copy
// is one memcpy of the screen. On Windows the lock is needed for the plotting anyway, so the copy
// trades a blitter call for a memcpy into memory that is being written already. The lock is
// write-only, every word being written anew. The blitter remains for a back buffer that cannot be
// locked (that frame shows the backdrop without sparks) and for a backdrop that could not be read
// back into memory.
#include "render/win32/DirectDrawBackend.h"

#include "engine/DuePass.h"
#include "engine/PixelFormat.h"
#include "engine/World.h"
#include "engine/win32/SystemLibrary.h"
#include "render/FrameProfiler.h"
#include "render/SurfaceFrame.h"
#include "render/win32/GdiTarget.h"
#include "scenery/Backdrop.h"

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

bool IsLost(IDirectDrawSurface* surface) { return surface->IsLost() == DDERR_SURFACELOST; }

// Locks the whole surface, waiting while it is busy, and describes it for the plotting code.
bool Lock(IDirectDrawSurface* surface, DWORD flags, SurfaceView& view)
{
    DDSURFACEDESC desc;
    ZeroMemory(&desc, sizeof desc);
    desc.dwSize = sizeof desc;
    if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT | flags, nullptr))) return false;
    view = SurfaceView{desc.dwHeight, desc.dwWidth, static_cast<int32_t>(desc.lPitch), static_cast<uint32_t*>(desc.lpSurface)};
    return true;
}

template <typename T> void Release(T*& object)
{
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}
}  // namespace

DirectDrawBackend::DirectDrawBackend(HWND window_, uint32_t stereo_)
    : window(window_), stereo(stereo_), directDraw(nullptr), primarySurface(nullptr), backBuffer(nullptr),
      backgroundSurface(nullptr), copied(false)
{
}

DirectDrawBackend::~DirectDrawBackend() { Stop(); }

HRESULT WINAPI DirectDrawBackend::OnDisplayMode(LPDDSURFACEDESC desc, LPVOID context)
{
    DirectDrawBackend* self = static_cast<DirectDrawBackend*>(context);
    uint32_t limit = static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN));
    if (limit > 800) limit = 800;
    const DDPIXELFORMAT& format = desc->ddpfPixelFormat;
    if (desc->dwWidth >= self->mode.width && desc->dwWidth <= limit && IsDrawableMode(format)) {
        self->mode = DisplayMode{desc->dwWidth, desc->dwHeight, format.dwRGBBitCount, desc->dwRefreshRate};
        GlobalPixelFormat().SetMasks(format.dwRBitMask, format.dwGBitMask, format.dwBBitMask);
    }
    return DDENUMRET_OK;
}

bool DirectDrawBackend::Start()
{
    bool started = false;
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
        mode = DisplayMode{0, 0, 0, 0};
        if (FAILED(directDraw->EnumDisplayModes(0, nullptr, this, OnDisplayMode))) break;
        if (mode.width == 0 || mode.height == 0) break;
        if (FAILED(directDraw->SetDisplayMode(mode.width, mode.height, mode.bitsPerPixel, mode.refreshRate, 0))) break;
        if (!CreateSurfaces()) break;
        backdrop = CreateBackdrop(mode.width, mode.height, stereo);
        if (!backdrop || !backgroundCopy.Create(mode.width, mode.height)) break;
        DrawBackground();
        // Both buffers of the flip chain start with the backdrop.
        CopyBackground(backBuffer, backgroundSurface);
        primarySurface->Flip(nullptr, DDFLIP_WAIT);
        CopyBackground(backBuffer, backgroundSurface);
        started = true;
    } while (false);
    if (!started) Stop();
    return started;
}

bool DirectDrawBackend::CreateSurfaces()
{
    DDSURFACEDESC desc;
    ZeroMemory(&desc, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    if (FAILED(directDraw->CreateSurface(&desc, &primarySurface, nullptr))) {
        primarySurface = nullptr;
        return false;
    }
    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    if (FAILED(primarySurface->GetAttachedSurface(&caps, &backBuffer))) {
        backBuffer = nullptr;
        return false;
    }
    // No capabilities and no pixel format: an off-screen plain surface in the display's format.
    ZeroMemory(&desc, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwHeight = mode.height;
    desc.dwWidth = mode.width;
    desc.ddpfPixelFormat.dwSize = sizeof desc.ddpfPixelFormat;
    if (FAILED(directDraw->CreateSurface(&desc, &backgroundSurface, nullptr))) {
        backgroundSurface = nullptr;
        return false;
    }
    return true;
}

// Lets the backdrop draw itself into the background surface through GDI (which converts its colours
// to the display's format), then keeps the surface's words in system memory.
void DirectDrawBackend::DrawBackground()
{
    HDC dc = nullptr;
    if (SUCCEEDED(backgroundSurface->GetDC(&dc))) {
        GdiTarget target(dc);
        backdrop->Draw(target);
        backgroundSurface->ReleaseDC(dc);
    }
    SurfaceView view;
    copied = Lock(backgroundSurface, DDLOCK_READONLY, view);
    if (copied) {
        CopySurface(backgroundCopy.View(), view);
        backgroundSurface->Unlock(nullptr);
    }
}

void DirectDrawBackend::Stop()
{
    if (directDraw != nullptr) {
        directDraw->RestoreDisplayMode();
        Release(backBuffer);
        Release(primarySurface);
        Release(backgroundSurface);
        Release(directDraw);
    }
    backdrop.reset();
    backgroundCopy.Create(0, 0);
    copied = false;
}

void DirectDrawBackend::Frame(World& world)
{
    if (primarySurface == nullptr) return;
    if (IsLost(primarySurface)) primarySurface->Restore();
    {
        PhaseTimer timer(profiler, FrameProfiler::DuePass);
        RunDueSparks(world);
    }
    SurfaceView view;
    bool locked;
    {
        PhaseTimer timer(profiler, FrameProfiler::BackdropCopy);
        if (IsLost(backgroundSurface)) {
            backgroundSurface->Restore();
            DrawBackground();
        }
        // Without a copy of the backdrop in memory the blitter lays it down.
        if (!copied) CopyBackground(backBuffer, backgroundSurface);
        locked = Lock(backBuffer, copied ? DDLOCK_WRITEONLY : 0, view);
        if (locked && copied) CopySurface(view, backgroundCopy.View());
    }
    if (locked) {
        PhaseTimer timer(profiler, FrameProfiler::Plotting);
        PlotQueuedSparks(view, world, stereo);
        backBuffer->Unlock(nullptr);
    } else if (copied) {
        // This frame shows the backdrop without sparks.
        CopyBackground(backBuffer, backgroundSurface);
    }
    PhaseTimer timer(profiler, FrameProfiler::Present);
    primarySurface->Flip(nullptr, DDFLIP_WAIT);
}
