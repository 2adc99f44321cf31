// Screenshots for the Windows tests: a rectangle of the screen read back as pixels and kept as a BMP
// file that a person can look at afterwards.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    size_t CountNot(uint32_t colour) const
    {
        size_t n = 0;
        for (uint32_t p : pixels) n += (p & 0xFFFFFF) != colour;
        return n;
    }
};

// The folder "screenshots" next to the running test program.
inline std::string ScreenshotDirectory()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/")) + "\\screenshots";
}

// Copies width x height pixels at (x, y) of `source` and saves them as screenshots/NAME.bmp.
inline Screenshot CaptureDc(HDC source, int x, int y, int width, int height, const std::string& name)
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

    std::string dir = ScreenshotDirectory();
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

// A window as it shows on the screen, frame included.
inline Screenshot CaptureWindow(HWND window, const std::string& name)
{
    RECT r;
    GetWindowRect(window, &r);
    HDC screen = GetDC(nullptr);
    Screenshot shot = CaptureDc(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, name);
    ReleaseDC(nullptr, screen);
    return shot;
}
