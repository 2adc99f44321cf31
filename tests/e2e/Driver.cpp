#include "e2e/Driver.h"

ProgramRun::ProgramRun(const std::string& arguments, std::string exe) : process()
{
    if (exe.empty()) {
        char path[MAX_PATH];
        exe.assign(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
        exe = exe.substr(0, exe.find_last_of("\\/")) + "\\fireworks.scr";
    }
    std::string commandLine = "\"" + exe + "\" " + arguments;  // CreateProcessA may write to it
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process))
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

HWND ProgramRun::WaitForWindow(const char* className)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < 15000;) {
        for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr;) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == process.dwProcessId && IsWindowVisible(window)) return window;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
        PumpFor(50);  // a window of this thread may be asked something meanwhile
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
