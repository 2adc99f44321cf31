// GdiTarget: SetPixel, GetPixel, FillRect with a per-call solid brush, and BitBlt SRCCOPY on a
// caller-owned device context. Degrades by drawing nothing where GDI refuses (no brush, a call that
// fails); GetPixel then reports CLR_INVALID.
#include "render/win32/GdiTarget.h"

void GdiTarget::FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, ColorRef colour)
{
    if (right <= left || bottom <= top) return;
    HBRUSH brush = CreateSolidBrush(colour);
    if (brush == nullptr) return;
    RECT rect = {left, top, right, bottom};
    ::FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void GdiTarget::SetPixel(int32_t x, int32_t y, ColorRef colour) { ::SetPixel(dc, x, y, colour); }

ColorRef GdiTarget::GetPixel(int32_t x, int32_t y) const { return ::GetPixel(dc, x, y); }

void GdiTarget::CopyBlock(int32_t x, int32_t y, int32_t width, int32_t height, const DrawTarget& source,
                          int32_t sourceX, int32_t sourceY)
{
    const GdiTarget* gdi = dynamic_cast<const GdiTarget*>(&source);
    if (gdi == nullptr) {
        CopyBlockByPixels(*this, x, y, width, height, source, sourceX, sourceY);
        return;
    }
    BitBlt(dc, x, y, width, height, gdi->dc, sourceX, sourceY, SRCCOPY);
}
