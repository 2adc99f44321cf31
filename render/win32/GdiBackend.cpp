// GdiBackend: a memory DC with a 32-bit top-down DIB section (CreateDIBSection), a window DC per
// frame (GetDC, the class's own DC) and one BitBlt of the changed rectangle. Degrades by showing
// nothing: a failed start leaves no back-end and the window keeps its black class background; a
// frame without a window DC runs no sparks; a failed blit is retried with the next frame's.
#include "render/win32/GdiBackend.h"

#include "engine/PixelFormat.h"
#include "engine/World.h"
#include "render/FrameProfiler.h"
#include "render/win32/GdiTarget.h"
#include "scenery/Backdrop.h"

GdiBackend::GdiBackend(HWND window_, uint32_t stereo_)
    : window(window_), stereo(stereo_), memoryDC(nullptr), frameBitmap(nullptr), previousBitmap(nullptr),
      unshown{0, 0, 0, 0}
{
}

GdiBackend::~GdiBackend() { Stop(); }

bool GdiBackend::Start()
{
    GlobalPixelFormat().SetMasks(0xE0, 0x1C, 0x03);
    RECT client = {};
    GetClientRect(window, &client);
    mode = DisplayMode{static_cast<uint32_t>(client.right), static_cast<uint32_t>(client.bottom), 8, 0};
    bool started = false;
    HDC windowDc = GetDC(window);
    if (windowDc != nullptr) {
        memoryDC = CreateCompatibleDC(windowDc);
        if (memoryDC != nullptr) {
            // Not every GDI makes a bitmap of zero pixels: a window that is not shown yet gets one
            // pixel until its size message rebuilds everything at the real size.
            BITMAPINFO info = {};
            info.bmiHeader.biSize = sizeof info.bmiHeader;
            info.bmiHeader.biWidth = mode.width > 0 ? static_cast<LONG>(mode.width) : 1;
            info.bmiHeader.biHeight = -(mode.height > 0 ? static_cast<LONG>(mode.height) : 1);  // top-down
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            void* bits = nullptr;
            frameBitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (frameBitmap != nullptr && bits != nullptr) {
                previousBitmap = SelectObject(memoryDC, frameBitmap);
                picture.Attach(static_cast<uint32_t*>(bits), mode.width, mode.height);
                std::unique_ptr<Backdrop> drawn;
                if (backdrop.Create(mode.width, mode.height)) drawn = CreateBackdrop(mode.width, mode.height, stereo);
                if (drawn) {
                    drawn->Draw(backdrop);
                    picture.CopyBlock(0, 0, static_cast<int32_t>(mode.width), static_cast<int32_t>(mode.height), backdrop, 0, 0);
                    started = true;
                }
            }
        }
        ReleaseDC(window, windowDc);
    }
    if (!started) Stop();
    return started;
}

void GdiBackend::Stop()
{
    picture.Attach(nullptr, 0, 0);
    backdrop.Create(0, 0);
    unshown = PixelRect{0, 0, 0, 0};
    if (memoryDC != nullptr) {
        if (previousBitmap != nullptr) {
            SelectObject(memoryDC, previousBitmap);
            previousBitmap = nullptr;
        }
        DeleteDC(memoryDC);
        memoryDC = nullptr;
    }
    if (frameBitmap != nullptr) {
        DeleteObject(frameBitmap);
        frameBitmap = nullptr;
    }
}

void GdiBackend::Frame(World& world)
{
    if (memoryDC == nullptr) return;
    HDC windowDc = GetDC(window);
    if (windowDc == nullptr) return;
    {
        PhaseTimer timer(profiler, FrameProfiler::DuePass);
        unshown = Union(unshown, RunWindowFrame(world, picture, backdrop, stereo));
    }
    if (!unshown.Empty()) {
        PhaseTimer timer(profiler, FrameProfiler::Present);
        if (BitBlt(windowDc, unshown.left, unshown.top, unshown.right - unshown.left, unshown.bottom - unshown.top,
                   memoryDC, unshown.left, unshown.top, SRCCOPY))
            unshown = PixelRect{0, 0, 0, 0};
    }
    ReleaseDC(window, windowDc);
}

void GdiBackend::Paint(DrawTarget& target, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (memoryDC == nullptr) return;
    PixelRect r = Clip(left, top, right, bottom, picture.Width(), picture.Height());
    if (r.Empty()) return;
    int32_t w = r.right - r.left, h = r.bottom - r.top;
    picture.CopyBlock(r.left, r.top, w, h, backdrop, r.left, r.top);
    GdiTarget source(memoryDC);
    target.CopyBlock(r.left, r.top, w, h, source, r.left, r.top);
}

bool GdiBackend::Resize(uint32_t, uint32_t)
{
    Stop();
    return Start();
}
