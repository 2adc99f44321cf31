// GDI drawing target: a DrawTarget over a device context that the caller owns (a window's, a memory
// DC with a bitmap, a DirectDraw surface's). Each call is one GDI call, and GDI does the clipping.
// GDI failures are not reported: a drawing call that fails leaves that part of the picture as it was,
// which is all a caller could do about it anyway.
#pragma once
#include <windows.h>

#include "engine/DrawTarget.h"

class GdiTarget : public DrawTarget {
public:
    explicit GdiTarget(HDC deviceContext) : dc(deviceContext) {}

    HDC Dc() const { return dc; }

    // A solid brush is made and deleted for every call; no brush outlives the call.
    void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, ColorRef colour) override;
    void SetPixel(int32_t x, int32_t y, ColorRef colour) override;
    // CLR_INVALID (InvalidColor) outside the clipping region or the bitmap.
    ColorRef GetPixel(int32_t x, int32_t y) const override;
    // BitBlt with SRCCOPY from another GdiTarget; from any other kind of target pixel by pixel.
    void CopyBlock(int32_t x, int32_t y, int32_t width, int32_t height, const DrawTarget& source, int32_t sourceX,
                   int32_t sourceY) override;

private:
    HDC dc;
};
