// A DrawTarget that records every call, for tests where the sequence of drawing calls is the point.
// It can forward each call to another target (for example a MemoryImage) so that the picture is
// still made; without one, GetPixel answers black.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/DrawTarget.h"

struct DrawCall {
    enum Kind { Fill, Set, Get, Copy } kind;
    int32_t x, y;     // Fill: left, top; Set/Get: the point; Copy: destination corner
    int32_t x2, y2;   // Fill: right, bottom; Copy: width, height
    int32_t sx, sy;   // Copy: source corner
    ColorRef colour;  // Fill/Set: the colour; Get: the answer
};

class DrawRecorder : public DrawTarget {
public:
    explicit DrawRecorder(DrawTarget* forwardTo = nullptr) : target(forwardTo) {}

    void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, ColorRef colour) override
    {
        calls.push_back(DrawCall{DrawCall::Fill, left, top, right, bottom, 0, 0, colour});
        if (target != nullptr) target->FillRect(left, top, right, bottom, colour);
    }
    void SetPixel(int32_t x, int32_t y, ColorRef colour) override
    {
        calls.push_back(DrawCall{DrawCall::Set, x, y, 0, 0, 0, 0, colour});
        if (target != nullptr) target->SetPixel(x, y, colour);
    }
    ColorRef GetPixel(int32_t x, int32_t y) const override
    {
        ColorRef colour = target != nullptr ? target->GetPixel(x, y) : 0;
        calls.push_back(DrawCall{DrawCall::Get, x, y, 0, 0, 0, 0, colour});
        return colour;
    }
    void CopyBlock(int32_t x, int32_t y, int32_t width, int32_t height, const DrawTarget& source, int32_t sourceX,
                   int32_t sourceY) override
    {
        calls.push_back(DrawCall{DrawCall::Copy, x, y, width, height, sourceX, sourceY, 0});
        if (target != nullptr) target->CopyBlock(x, y, width, height, source, sourceX, sourceY);
    }

    mutable std::vector<DrawCall> calls;

private:
    DrawTarget* target;
};
