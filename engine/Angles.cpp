#include "engine/Angles.h"

#include <cmath>

namespace {
Fixed angleTable[360];
}

void FillAngleTable()
{
    const double pi = 3.141592653589793;
    for (int i = 0; i < 360; ++i) {
        double radians = 2.0 * pi * i / 360.0;
        angleTable[i] = FixedFromReal(std::sin(radians));
    }
}

Fixed AngleTableEntry(int i) { return angleTable[i]; }

Fixed SinDeg(int32_t degrees)
{
    int64_t d = degrees;
    if (d >= 0) return angleTable[d % 360];
    return -angleTable[(-d) % 360];
}

Fixed CosDeg(int32_t degrees)
{
    int64_t d = degrees;
    if (d < 0) d = -d;
    return angleTable[(d + 90) % 360];
}
