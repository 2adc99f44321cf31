// Screenshots for the Windows tests: a rectangle of the screen read back as pixels and kept as
// screenshots/NAME.bmp next to the test program, for a person to look at afterwards.
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
    size_t CountNot(uint32_t colour) const
    {
        size_t n = 0;
        for (uint32_t p : pixels) n += (p & 0xFFFFFF) != colour;
        return n;
    }
};

// Copies width x height pixels at (x, y) of `source`.
inline Screenshot CaptureDc(HDC source, int x, int y, int width, int height, const std::string& name)
{
    Screenshot shot;
    if (width <= 0 || height <= 0) return shot;
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    shot.width = width;
    shot.height = height;
    shot.pixels.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width * height);

    char program[MAX_PATH] = "";
    std::string dir(program, GetModuleFileNameA(nullptr, program, MAX_PATH));
    dir = dir.substr(0, dir.find_last_of("\\/")) + "\\screenshots";
    CreateDirectoryA(dir.c_str(), nullptr);
    if (FILE* f = std::fopen((dir + "\\" + name + ".bmp").c_str(), "wb")) {
        BITMAPFILEHEADER fh = {};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof info.bmiHeader;
        fh.bfSize = fh.bfOffBits + static_cast<DWORD>(shot.pixels.size() * 4);
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

