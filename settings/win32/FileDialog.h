// File dialog: lets the user pick a MIDI file or a file of fireworks with the system's file-open dialog.
// Degrades: a dialog that cannot be shown counts as cancelled, and the path is left as it was.
#pragma once
#include <windows.h>

#include <commdlg.h>

// The dialog call, as GetOpenFileNameA. Tests install their own to choose or cancel without a window.
typedef BOOL(WINAPI* OpenFileNameFunction)(OPENFILENAMEA* request);

// Shows the dialog owned by `owner`, starting from `path` (a NUL-terminated path in a buffer of
// `capacity` characters). True when the user picked a file; `path` then holds it. A file whose path
// does not fit the buffer cannot be picked.
bool ChooseMidiFile(HWND owner, char* path, DWORD capacity);
bool ChooseScriptFile(HWND owner, char* path, DWORD capacity);

// Replaces the dialog call; none restores GetOpenFileNameA.
void SetOpenFileNameFunction(OpenFileNameFunction function);
