// Finding and reading the other windows a run of the program shows: its dialogs and message boxes.
#pragma once
#include <windows.h>

#include <string>

// The first visible top-level dialog (class "#32770") of a process, or nullptr after the time-out.
HWND WaitForDialog(DWORD processId, DWORD timeoutMs = 15000);
// The texts of a window's child controls, joined by newlines.
std::string ChildTexts(HWND window);
