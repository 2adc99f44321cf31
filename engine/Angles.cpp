#include "engine/Angles.h"

#include <cmath>

namespace {
// sin(i degrees) as Fixed, truncated toward zero. Filled while the program starts (the table is an
// object with a constructor at namespace scope), so no caller has to remember to fill it.
struct AngleTable {
    AngleTable()
    {
        const double pi = 3.141592653589793;
        for (int i = 0; i < 360; ++i) {
            double radians = 2.0 * pi * i / 360.0;
            entries[i] = FixedFromReal(std::sin(radians));
        }
    }
    Fixed entries[360];
};
const AngleTable angles;
}  // namespace

Fixed AngleTableEntry(int i) { return angles.entries[i]; }

Fixed SinDeg(int32_t degrees)
{
    int64_t d = degrees;
    if (d >= 0) return angles.entries[d % 360];
    return -angles.entries[(-d) % 360];
}

Fixed CosDeg(int32_t degrees)
{
    int64_t d = degrees;
    if (d < 0) d = -d;
    return angles.entries[(d + 90) % 360];
}
