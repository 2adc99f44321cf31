// Drawing coordinates are signed 32-bit, as GDI's are; sizes and sums beyond that range are held at
// its ends, where the target clips them anyway.
#pragma once
#include <cstdint>

inline int32_t CoordinateOf(int64_t v)
{
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}
