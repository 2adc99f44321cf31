#include "e2e/Driver.h"

#include <cstdio>

std::string ProgramDirectory()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/"));
}

ProgramRun::ProgramRun(const std::string& arguments) : ProgramRun(ProgramDirectory() + "\\fireworks.scr", arguments) {}

ProgramRun::ProgramRun(const std::string& exe, const std::string& arguments) : process()
{
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process))
        process = PROCESS_INFORMATION();
}

ProgramRun::~ProgramRun()
{
    if (process.hProcess == nullptr) return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

namespace {
struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindProcessWindowProc(HWND hwnd, LPARAM context)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char className[64] = "";
    GetClassNameA(hwnd, className, sizeof className);
    if (pid == search->processId && lstrcmpA(className, search->className) == 0 && IsWindowVisible(hwnd)) {
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

static HWND FindProcessWindow(DWORD processId, const char* className)
{
    WindowSearch search = {processId, className, nullptr};
    EnumWindows(FindProcessWindowProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForProcessWindow(DWORD processId, const char* className, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND found = FindProcessWindow(processId, className);
        if (found != nullptr) return found;
        PumpFor(50);  // a window of this thread may be asked something meanwhile
    }
    return nullptr;
}

std::string ChildTexts(HWND window)
{
    std::string all;
    EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND ProgramRun::WaitForWindow(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND found = FindProcessWindow(process.dwProcessId, "VokFireworks");
        if (found != nullptr) return found;
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

DWORD ProgramRun::WaitForExit(DWORD timeoutMs)
{
    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

void PumpFor(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
}

Screenshot CaptureClient(HWND window, const std::string& name)
{
    RECT r;
    GetClientRect(window, &r);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    Screenshot shot = CaptureDc(screen, origin.x, origin.y, r.right, r.bottom, name);
    ReleaseDC(nullptr, screen);
    return shot;
}
