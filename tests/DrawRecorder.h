// A DrawTarget that records every call, for tests where the sequence of drawing calls is the point.
// Reads are answered from another target when one is given, black otherwise.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/DrawTarget.h"

struct DrawCall {
    enum Kind { Fill, Set, Get, Copy } kind;
    int32_t x, y;     // Fill: left, top; Set/Get: the point; Copy: destination corner
    int32_t x2, y2;   // Fill: right, bottom; Copy: width, height
    ColorRef colour;  // Fill/Set: the colour; Get: the answer
};

class DrawRecorder : public DrawTarget {
public:
    explicit DrawRecorder(const DrawTarget* readFrom = nullptr) : source(readFrom) {}

    void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, ColorRef colour) override
    {
        calls.push_back(DrawCall{DrawCall::Fill, left, top, right, bottom, colour});
    }
    void SetPixel(int32_t x, int32_t y, ColorRef colour) override
    {
        calls.push_back(DrawCall{DrawCall::Set, x, y, 0, 0, colour});
    }
    ColorRef GetPixel(int32_t x, int32_t y) const override
    {
        calls.push_back(DrawCall{DrawCall::Get, x, y, 0, 0, source != nullptr ? source->GetPixel(x, y) : 0});
        return calls.back().colour;
    }
    void CopyBlock(int32_t x, int32_t y, int32_t width, int32_t height, const DrawTarget&, int32_t, int32_t) override
    {
        calls.push_back(DrawCall{DrawCall::Copy, x, y, width, height, 0});
    }

    mutable std::vector<DrawCall> calls;

private:
    const DrawTarget* source;
};
