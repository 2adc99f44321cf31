// The application object: owns everything one show needs, runs the message loop and answers the main
// window's messages.
#pragma once
#include <windows.h>

#include "app/ParseOption.h"

class FireworksApp {
public:
    FireworksApp(RunMode mode, HINSTANCE instance, HWND parentWindow);
    ~FireworksApp();

    // True when construction built a window that the message loop can end on.
    bool IsUsable() const { return window != nullptr; }
    int Run();
    void HandleKey(WPARAM key);
    void Shutdown();

private:
    FireworksApp(const FireworksApp&);
    FireworksApp& operator=(const FireworksApp&);

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool RegisterWindowClass(HINSTANCE instance);

    int32_t mode;
    HWND window;
    HWND parentWindow;
};
