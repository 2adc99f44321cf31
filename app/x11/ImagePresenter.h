// The picture of one frame in client memory, and its way onto the window: through a shared memory
// segment (MIT-SHM) when the server offers the extension and can attach the segment, which saves
// sending the whole picture over the connection every frame, otherwise with a plain XPutImage.
// Pixels are 32-bit words 0x00RRGGBB, the 8-8-8 layout of a 32-bit DirectDraw mode, so the window's
// visual must be true colour with those masks (every 24- and 32-bit X server visual in common use).
#pragma once
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <string>

#include "engine/SurfaceView.h"

class XConnection;

class ImagePresenter {
public:
    ImagePresenter() = default;
    ~ImagePresenter() { Release(); }
    ImagePresenter(const ImagePresenter&) = delete;
    ImagePresenter& operator=(const ImagePresenter&) = delete;

    // A black picture of width x height for the window. False, with the reason, when the visual has
    // another layout or no memory is left; nothing is kept then.
    bool Create(XConnection& x, Window window, Visual* visual, int depth, uint32_t width, uint32_t height, std::string& error);
    // Safe to call twice, and after a failed Create.
    void Release();

    SurfaceView View() const;
    // Sends the picture to the window without waiting: the server copies it while the show sleeps.
    void Present();
    // Waits until the server has copied the last picture sent, so that the next frame may draw into
    // the shared memory, and returns the X error code of that copy (Success, or BadDrawable or
    // BadWindow when the window has gone away meanwhile).
    int Settle();
    bool Shared() const { return shared; }

private:
    bool CreateShared(Visual* visual, int depth, uint32_t width, uint32_t height);
    bool CreatePlain(Visual* visual, int depth, uint32_t width, uint32_t height);

    XConnection* x = nullptr;
    Window window = 0;
    GC gc = nullptr;
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    bool shared = false;
    bool pending = false;
};
