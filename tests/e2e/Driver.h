// Drives the real fireworks.scr from outside: starts it with options, finds its windows, takes
// screenshots and collects the exit code. Shared by every end-to-end test.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "tests/ScreenCapture.h"
#include "tests/SettingsRegistry.h"

class ProgramRun {
public:
    // Starts the program (fireworks.scr next to the test program by default) with the given command line.
    explicit ProgramRun(const std::string& arguments, std::string program = "");
    ~ProgramRun();  // kills the program if it is still running

    // The first visible top-level window of the class ("#32770" for dialogs and message boxes) that the
    // program shows; nullptr on time-out or when it ends first. This thread's messages are handled meanwhile.
    HWND WaitForWindow(const char* className = "VokFireworks");
    // Waits for the program to end; returns its exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeoutMs = 15000);
    DWORD ProcessId() const { return process.dwProcessId; }

private:
    PROCESS_INFORMATION process;
};

// Captures one window's client area and saves it as a BMP under screenshots/.
Screenshot CaptureClient(HWND window, const std::string& name);
void PumpFor(DWORD milliseconds);
using settings_registry::PutDword;  // a setting of "interactive" or "screensaver" for the next run
