#include "e2e/Driver.h"

#include <cstdio>

size_t Screenshot::CountNot(uint32_t colour) const
{
    size_t n = 0;
    for (uint32_t p : pixels) n += (p & 0xFFFFFF) != colour;
    return n;
}

std::string ProgramDirectory()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/"));
}

ProgramRun::ProgramRun(const std::string& arguments) : process()
{
    std::string exe = ProgramDirectory() + "\\fireworks.scr";
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

HWND FindProcessWindow(DWORD processId, const char* className)
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

namespace {
Screenshot Capture(HDC source, int x, int y, int width, int height, const std::string& name)
{
    Screenshot shot;
    if (width <= 0 || height <= 0) return shot;
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    shot.width = width;
    shot.height = height;
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    shot.pixels.assign(p, p + static_cast<size_t>(width) * height);

    std::string dir = ProgramDirectory() + "\\screenshots";
    CreateDirectoryA(dir.c_str(), nullptr);
    std::string path = dir + "\\" + name + ".bmp";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        BITMAPFILEHEADER fh = {};
        DWORD imageSize = static_cast<DWORD>(shot.pixels.size() * 4);
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof info.bmiHeader;
        fh.bfSize = fh.bfOffBits + imageSize;
        std::fwrite(&fh, sizeof fh, 1, f);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
        std::fwrite(shot.pixels.data(), 4, shot.pixels.size(), f);
        std::fclose(f);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return shot;
}
}  // namespace

Screenshot CaptureScreen(const std::string& name)
{
    HDC screen = GetDC(nullptr);
    Screenshot shot = Capture(screen, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), name);
    ReleaseDC(nullptr, screen);
    return shot;
}

Screenshot CaptureClient(HWND window, const std::string& name)
{
    RECT r;
    GetClientRect(window, &r);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    Screenshot shot = Capture(screen, origin.x, origin.y, r.right, r.bottom, name);
    ReleaseDC(nullptr, screen);
    return shot;
}
