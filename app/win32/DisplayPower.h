// DisplayPower: the system's notices that the display has been switched off or back on.
// Provides: registration of a window for the display-state power setting (Windows 8 and later) and
// for the monitor power setting that Vista and 7 send instead, and the reading of the
// WM_POWERBROADCAST message that carries either. A dimmed display still shows the picture, so it
// counts as on.
// Degrades: where the system has no power-setting notifications (before Vista) nothing is
// registered, no notice ever comes, and the show simply keeps running.
#pragma once
#include <windows.h>

enum DisplayChange { DisplayUnchanged, DisplaySwitchedOff, DisplaySwitchedOn };

class DisplayPowerWatch {
public:
    DisplayPowerWatch(const DisplayPowerWatch&) = delete;
    DisplayPowerWatch& operator=(const DisplayPowerWatch&) = delete;
    DisplayPowerWatch() : registrations() {}
    ~DisplayPowerWatch() { Stop(); }

    // Asks for the notices to be sent to `window`.
    void Start(HWND window);
    // Stops them; safe to call twice.
    void Stop();

    // What a WM_POWERBROADCAST says about the display.
    static DisplayChange Read(WPARAM wParam, LPARAM lParam);

private:
    void* registrations[2];
};
