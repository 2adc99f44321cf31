// The full-screen saver on a desktop of two monitors (tools/wine-run.sh's FW_MONITORS): the show on
// the primary one, the other black, and input there ends the saver. With one monitor it skips itself.
#include <gtest/gtest.h>

#include <windows.h>

#include "e2e/Driver.h"

namespace {
BOOL CALLBACK FindSecondMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info) && (info.dwFlags & MONITORINFOF_PRIMARY) == 0) {
        *reinterpret_cast<RECT*>(found) = info.rcMonitor;
        return FALSE;
    }
    return TRUE;
}

void Click(int x, int y)
{
    SetCursorPos(x, y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}
}  // namespace

TEST(TwoMonitors, TheShowPlaysOnThePrimaryMonitorAndTheOtherTurnsBlackUntilAClickThere)
{
    if (GetSystemMetrics(SM_CMONITORS) < 2) GTEST_SKIP() << "set FW_MONITORS for a desktop of two monitors";
    RECT second = {};
    EnumDisplayMonitors(nullptr, nullptr, FindSecondMonitor, reinterpret_cast<LPARAM>(&second));
    // What the second monitor shows before: some other program's window.
    HWND desktop = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_GRAYRECT, second.left, second.top,
                                   second.right - second.left, second.bottom - second.top, nullptr, nullptr, nullptr,
                                   nullptr);
    PumpFor(300);
    StoreSetting("screensaver", "DrawMode", 2);
    ProgramRun run("/s");
    HWND show = run.WaitForWindow();
    ASSERT_NE(show, nullptr);
    PumpFor(2500);
    RECT showRect;
    GetWindowRect(show, &showRect);
    EXPECT_EQ(showRect.right - showRect.left, GetSystemMetrics(SM_CXSCREEN));

    HDC screen = GetDC(nullptr);
    Screenshot shows = CaptureDc(screen, 0, 0, showRect.right, showRect.bottom, "two-monitors-primary");
    Screenshot other = CaptureDc(screen, second.left, second.top, second.right - second.left,
                                 second.bottom - second.top, "two-monitors-second");
    ReleaseDC(nullptr, screen);
    EXPECT_GT(shows.CountNot(0), 20u) << "the skyline and its sparks";
    EXPECT_EQ(other.CountNot(0), 0u) << "no desktop left on the second monitor";
    EXPECT_EQ(run.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "covering the monitor ended nothing";

    Click((second.left + second.right) / 2, (second.top + second.bottom) / 2);
    EXPECT_EQ(run.WaitForExit(), 0u);
    DestroyWindow(desktop);
}
