// Shell open, through SHELL32's ShellExecuteA. See ShellOpen.h for how it degrades.
#include "settings/win32/ShellOpen.h"

#include <shellapi.h>

namespace {
ShellExecuteFunction shellExecute = nullptr;
}

bool OpenAddress(HWND owner, const char* address)
{
    ShellExecuteFunction call = shellExecute != nullptr ? shellExecute : ShellExecuteA;
    HINSTANCE result = call(owner, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    // ShellExecute reports success as a value above 32.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void SetShellExecuteFunction(ShellExecuteFunction function) { shellExecute = function; }
