// Shell open: hands a web address to the user's browser through the shell's "open" verb.
// Degrades: a failed request is ignored; nothing is shown to the user.
#pragma once
#include <windows.h>

// The shell call, as ShellExecuteA. Tests install their own to see the address without a browser.
typedef HINSTANCE(WINAPI* ShellExecuteFunction)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                                LPCSTR directory, INT show);

// Opens `address` with `owner` as the owner of anything the shell shows. True when the shell accepted.
bool OpenAddress(HWND owner, const char* address);

// Replaces the shell call; none restores ShellExecuteA.
void SetShellExecuteFunction(ShellExecuteFunction function);
