#include "app/x11/TargetWindow.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>

#include "app/x11/XConnection.h"

namespace {
// The size of a window of its own: what the Windows full-screen show chooses, or less on a small screen.
const uint32_t ownWidth = 800, ownHeight = 600;
const char title[] = "Brelkora Fireworks";
}  // namespace

TargetWindow::~TargetWindow()
{
    if (own && x != nullptr && window != 0) XDestroyWindow(x->Get(), window);
}

bool TargetWindow::Open(XConnection& x_, const SaverOptions& options, std::string& error)
{
    x = &x_;
    Display* display = x->Get();
    Window id = options.target == SaverOptions::RootWindow ? DefaultRootWindow(display) : options.windowId;
    const char* problem = "no window 0x%lx on display %s";
    if (options.target == SaverOptions::OwnWindow) {
        Create();
        id = window;
        problem = "the X server refused a window (0x%lx) on display %s";
    }
    if ((window != 0 || Adopt(id)) && x->Sync() == Success) return true;
    char text[160];
    std::snprintf(text, sizeof text, problem, static_cast<unsigned long>(id), x->Name().c_str());
    error = text;
    return false;
}

bool TargetWindow::Adopt(Window id)
{
    Display* display = x->Get();
    XWindowAttributes attributes{};
    x->Sync();
    Status found = XGetWindowAttributes(display, id, &attributes);
    if (x->Sync() != Success || found == 0) return false;
    window = id;
    visual = attributes.visual;
    depth = attributes.depth;
    width = static_cast<uint32_t>(attributes.width);
    height = static_cast<uint32_t>(attributes.height);
    // Only the structure events: key and button presses on a foreign window belong to its owner.
    XSelectInput(display, window, StructureNotifyMask);
    return true;
}

void TargetWindow::Create()
{
    Display* display = x->Get();
    int screen = DefaultScreen(display);
    width = std::min<uint32_t>(ownWidth, static_cast<uint32_t>(DisplayWidth(display, screen)));
    height = std::min<uint32_t>(ownHeight, static_cast<uint32_t>(DisplayHeight(display, screen)));
    visual = DefaultVisual(display, screen);
    depth = DefaultDepth(display, screen);
    window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, width, height, 0, BlackPixel(display, screen),
                                 BlackPixel(display, screen));
    own = true;
    XStoreName(display, window, title);
    XClassHint hint{};
    char name[] = "fireworks", className[] = "Fireworks";
    hint.res_name = name;
    hint.res_class = className;
    XSetClassHint(display, window, &hint);
    protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XSelectInput(display, window, StructureNotifyMask | KeyPressMask);
    XMapWindow(display, window);
}

TargetWindow::Change TargetWindow::Poll()
{
    Display* display = x->Get();
    Change change = Nothing;
    auto note = [&change](Change c) {
        if (c > change) change = c;
    };
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case ConfigureNotify:
            if (event.xconfigure.window == window &&
                (static_cast<uint32_t>(event.xconfigure.width) != width || static_cast<uint32_t>(event.xconfigure.height) != height)) {
                width = static_cast<uint32_t>(event.xconfigure.width);
                height = static_cast<uint32_t>(event.xconfigure.height);
                note(Resized);
            }
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == window) {
                own = false;  // nothing left to destroy
                note(Gone);
            }
            break;
        case ClientMessage:
            if (own && event.xclient.message_type == protocols && event.xclient.format == 32 &&
                static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow)
                note(Closed);
            break;
        case KeyPress:
            if (own) note(Closed);
            break;
        default:
            break;
        }
    }
    return change;
}
