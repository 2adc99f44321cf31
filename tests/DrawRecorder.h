// A DrawTarget that records its fills and pixels, for tests where the sequence of drawing calls is the
// point. Reads are answered from another target when one is given, black otherwise.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/DrawTarget.h"

struct DrawCall {
    enum Kind { Fill, Set } kind;
    int32_t x, y;    // Fill: left, top; Set: the point
    int32_t x2, y2;  // Fill: right, bottom
    ColorRef colour;
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
    ColorRef GetPixel(int32_t x, int32_t y) const override { return source != nullptr ? source->GetPixel(x, y) : 0; }
    void CopyBlock(int32_t, int32_t, int32_t, int32_t, const DrawTarget&, int32_t, int32_t) override {}

    std::vector<DrawCall> calls;

private:
    const DrawTarget* source;
};
