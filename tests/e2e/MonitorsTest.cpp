// The full-screen saver on a desktop of two monitors (wine-run.sh's FW_MONITORS): the show on the
// primary one, the other black, and a click there ends the saver. With one monitor it skips itself.
#include <gtest/gtest.h>

#include <windows.h>

#include "e2e/Driver.h"

TEST(TwoMonitors, TheShowPlaysOnThePrimaryMonitorAndTheOtherTurnsBlackUntilAClickThere)
{
    if (GetSystemMetrics(SM_CMONITORS) < 2) GTEST_SKIP() << "set FW_MONITORS for a desktop of two monitors";
    MONITORINFO second = {};
    second.cbSize = sizeof second;
    GetMonitorInfoA(MonitorFromPoint(POINT{GetSystemMetrics(SM_CXSCREEN), 0}, MONITOR_DEFAULTTONULL), &second);
    const RECT& area = second.rcMonitor;  // right of the primary one
    // What the second monitor shows before: some other program's window.
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_GRAYRECT, area.left, area.top,
                                 area.right - area.left, area.bottom - area.top, nullptr, nullptr, nullptr, nullptr);
    PutDword("screensaver", "DrawMode", 2);
    ProgramRun run("/s");
    ASSERT_NE(run.WaitForWindow(), nullptr);
    PumpFor(2500);
    HDC screen = GetDC(nullptr);
    Screenshot black =
        CaptureDc(screen, area.left, area.top, area.right - area.left, area.bottom - area.top, "two-monitors");
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(black.CountNot(0), 0u) << "the second monitor still shows what lay there";
    EXPECT_EQ(run.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "covering it ended the show";

    SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    EXPECT_EQ(run.WaitForExit(), 0u);
    DestroyWindow(other);
}
