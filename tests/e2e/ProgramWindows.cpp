#include "e2e/ProgramWindows.h"

namespace {
struct DialogSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM context)
{
    DialogSearch* search = reinterpret_cast<DialogSearch*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char className[64] = "";
    GetClassNameA(hwnd, className, sizeof className);
    if (pid == search->processId && lstrcmpA(className, "#32770") == 0 && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectText(HWND hwnd, LPARAM context)
{
    char text[512] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    std::string* all = reinterpret_cast<std::string*>(context);
    *all += text;
    *all += "\n";
    return TRUE;
}
}  // namespace

HWND WaitForDialog(DWORD processId, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        DialogSearch search = {processId, nullptr};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        Sleep(50);
    }
    return nullptr;
}

std::string ChildTexts(HWND window)
{
    std::string all;
    EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&all));
    return all;
}
