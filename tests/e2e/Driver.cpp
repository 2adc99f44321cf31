#include "e2e/Driver.h"

#include <vector>

ProgramRun::ProgramRun(const std::string& arguments, std::string exe) : process()
{
    if (exe.empty()) {
        char path[MAX_PATH];
        exe.assign(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
        exe = exe.substr(0, exe.find_last_of("\\/")) + "\\fireworks.scr";
    }
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

BOOL CALLBACK FindProcessWindow(HWND hwnd, LPARAM context)
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
}  // namespace

HWND ProgramRun::WaitForWindow(const char* className)
{
    WindowSearch search = {process.dwProcessId, className, nullptr};
    for (DWORD start = GetTickCount(); GetTickCount() - start < 15000;) {
        EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
        PumpFor(50);  // a window of this thread may be asked something meanwhile
    }
    return search.found;
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
