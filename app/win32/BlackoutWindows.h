// BlackoutWindows: black windows over the monitors the full-screen screen saver does not play on.
// They stay above other windows (the taskbar of those monitors too) without ever taking activation
// from the show, and hand every key, mouse button and mouse move to the show's window, so that input
// on any monitor ends the saver by the show's own rules.
// Degrades: a window that cannot be created leaves its monitor as it was.
#pragma once
#include <windows.h>

#include <vector>

#include "app/MonitorLayout.h"

class BlackoutWindows {
public:
    BlackoutWindows(const BlackoutWindows&) = delete;
    BlackoutWindows& operator=(const BlackoutWindows&) = delete;
    BlackoutWindows() {}
    ~BlackoutWindows() { Release(); }

    // Covers each area with a black window that passes its input on to `showWindow`.
    void Cover(HINSTANCE instance, HWND showWindow, const std::vector<ScreenRect>& areas);
    // Destroys the windows; safe to call twice.
    void Release();

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT OnInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<HWND> windows;
};
