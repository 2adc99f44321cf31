// Drives the real fireworks.scr from outside: starts it with options, finds its window, sends input,
// takes screenshots and collects the exit code. Shared by every end-to-end test.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/ScreenCapture.h"
#include "tests/SettingsRegistry.h"

class ProgramRun {
public:
    // Starts fireworks.scr (found next to the test program) with the given command line.
    explicit ProgramRun(const std::string& arguments);
    // Starts another program with the given command line.
    ProgramRun(const std::string& program, const std::string& arguments);
    ~ProgramRun();  // kills the program if it is still running

    bool Started() const { return process.hProcess != nullptr; }
    // Waits for a top-level window of class "VokFireworks" of this process; nullptr on time-out.
    HWND WaitForWindow(DWORD timeoutMs = 15000);
    // Waits for the program to end; returns its exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeoutMs = 15000);
    DWORD ProcessId() const { return process.dwProcessId; }

private:
    PROCESS_INFORMATION process;
};

std::string ProgramDirectory();
// The first visible top-level window of a class ("#32770" for dialogs and message boxes) that a
// process shows within the time-out (this thread's messages are handled meanwhile);
// nullptr when there is none.
HWND WaitForProcessWindow(DWORD processId, const char* className, DWORD timeoutMs = 15000);
// The texts of a window's child controls, joined by newlines.
std::string ChildTexts(HWND window);
// Captures one window's client area and saves it as a BMP under screenshots/.
Screenshot CaptureClient(HWND window, const std::string& name);
void PumpFor(DWORD milliseconds);
using settings_registry::PutDword;  // a setting of "interactive" or "screensaver" for the next run
