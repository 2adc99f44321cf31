#include "app/x11/ImagePresenter.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>

#include "app/x11/XConnection.h"

namespace {
bool HasShowLayout(const Visual* visual)
{
    return (visual->c_class == TrueColor || visual->c_class == DirectColor) && visual->red_mask == 0xFF0000ul &&
           visual->green_mask == 0xFF00ul && visual->blue_mask == 0xFFul;
}

// Words are written in this machine's byte order; Xlib swaps them for a server of the other order.
int NativeByteOrder()
{
    const uint32_t one = 1;
    return *reinterpret_cast<const unsigned char*>(&one) == 1 ? LSBFirst : MSBFirst;
}
}  // namespace

bool ImagePresenter::Create(XConnection& x_, Window window_, Visual* visual, int depth, uint32_t width, uint32_t height,
                            std::string& error)
{
    Release();
    x = &x_;
    window = window_;
    if (visual == nullptr || !HasShowLayout(visual) || (depth != 24 && depth != 32)) {
        error = "the window's visual is not 24-bit true colour (red, green, blue at 0xFF0000, 0xFF00, 0xFF)";
        return false;
    }
    if (!CreateShared(visual, depth, width, height) && !CreatePlain(visual, depth, width, height)) {
        error = "no memory for a picture of " + std::to_string(width) + "x" + std::to_string(height);
        Release();
        return false;
    }
    if (image->bits_per_pixel != 32) {
        error = "the server keeps depth " + std::to_string(depth) + " in " + std::to_string(image->bits_per_pixel) +
                " bits per pixel, not 32";
        Release();
        return false;
    }
    image->byte_order = NativeByteOrder();
    gc = XCreateGC(x->Get(), window, 0, nullptr);
    return true;
}

bool ImagePresenter::CreateShared(Visual* visual, int depth, uint32_t width, uint32_t height)
{
    Display* display = x->Get();
    if (!XShmQueryExtension(display)) return false;
    image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &segment, width, height);
    if (image == nullptr) return false;
    size_t size = static_cast<size_t>(image->bytes_per_line) * height;
    segment.shmid = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
    if (segment.shmid >= 0) {
        void* at = shmat(segment.shmid, nullptr, 0);
        segment.shmaddr = at == reinterpret_cast<void*>(-1) ? nullptr : static_cast<char*>(at);
    }
    bool attached = false;
    if (segment.shmaddr != nullptr) {
        image->data = segment.shmaddr;
        segment.readOnly = False;
        // A server on another machine cannot attach the segment: the request fails, and the plain
        // way is taken.
        attached = XShmAttach(display, &segment) != 0 && x->Sync() == Success;
    }
    // Marked for removal at once: the segment then goes with the last process that detaches it,
    // however this one ends.
    if (segment.shmid >= 0) shmctl(segment.shmid, IPC_RMID, nullptr);
    if (!attached) {
        Release();
        return false;
    }
    shared = true;
    return true;
}

bool ImagePresenter::CreatePlain(Visual* visual, int depth, uint32_t width, uint32_t height)
{
    image = XCreateImage(x->Get(), visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr, width, height, 32, 0);
    if (image == nullptr) return false;
    // XDestroyImage frees the data with free().
    image->data = static_cast<char*>(std::calloc(static_cast<size_t>(image->bytes_per_line), height));
    return image->data != nullptr;
}

void ImagePresenter::Release()
{
    Display* display = x != nullptr ? x->Get() : nullptr;
    pending = false;
    if (shared && display != nullptr) {
        XShmDetach(display, &segment);
        x->Sync();
    }
    if (image != nullptr) {
        if (segment.shmaddr != nullptr) image->data = nullptr;  // the segment is not the image's to free
        XDestroyImage(image);
        image = nullptr;
    }
    if (segment.shmaddr != nullptr) shmdt(segment.shmaddr);
    segment = XShmSegmentInfo{};
    shared = false;
    if (gc != nullptr && display != nullptr) XFreeGC(display, gc);
    gc = nullptr;
}

SurfaceView ImagePresenter::View() const
{
    if (image == nullptr) return SurfaceView{0, 0, 0, nullptr};
    return SurfaceView{static_cast<uint32_t>(image->height), static_cast<uint32_t>(image->width), image->bytes_per_line,
                       reinterpret_cast<uint32_t*>(image->data)};
}

void ImagePresenter::Present()
{
    if (image == nullptr) return;
    Display* display = x->Get();
    auto width = static_cast<unsigned>(image->width), height = static_cast<unsigned>(image->height);
    if (shared) XShmPutImage(display, window, gc, image, 0, 0, 0, 0, width, height, False);
    else XPutImage(display, window, gc, image, 0, 0, 0, 0, width, height);
    XFlush(display);
    pending = true;
}

int ImagePresenter::Settle()
{
    if (!pending) return Success;
    pending = false;
    return x->Sync();
}
