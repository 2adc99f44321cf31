// Windows directory, from KERNEL32. See WindowsDirectory.h for how it degrades.
#include "settings/win32/WindowsDirectory.h"

#include <windows.h>

uint32_t SystemWindowsDirectory(char* buffer, uint32_t capacity)
{
    return GetWindowsDirectoryA(buffer, capacity);
}
