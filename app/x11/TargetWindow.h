// The window the show draws into: one of its own (titled, closed by a key or by the window
// manager), the root window, or a window another program made and named, such as the framework's
// saver window. It follows the window's size and notices when the window goes away.
#pragma once
#include <X11/Xlib.h>

#include <cstdint>
#include <string>

#include "app/SaverOptions.h"

class XConnection;

class TargetWindow {
public:
    enum Change { Nothing, Resized, Closed, Gone };

    TargetWindow() = default;
    ~TargetWindow();
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;

    // Makes or adopts the window the options name and listens to its changes. False, with the reason,
    // when the named window does not exist.
    bool Open(XConnection& x, const SaverOptions& options, std::string& error);

    Window Id() const { return window; }
    Visual* GetVisual() const { return visual; }
    int Depth() const { return depth; }
    uint32_t Width() const { return width; }
    uint32_t Height() const { return height; }

    // Handles every event that has arrived, without waiting. Reports the weightiest: the window went
    // away, then the user closed it, then it has a new size (Width and Height tell it).
    Change Poll();

private:
    bool Adopt(Window id);
    void Create();

    XConnection* x = nullptr;
    Window window = 0;
    bool own = false;
    Atom protocols = 0, deleteWindow = 0;
    Visual* visual = nullptr;
    int depth = 0;
    uint32_t width = 0, height = 0;
};
