// The 360-entry sine table of whole degrees through which scripts turn angles into directions. The
// engine fills it itself when the program starts, before anything can run a script.
#pragma once
#include "engine/Fixed.h"

// Entry i of the table: the sine of i degrees (0 <= i < 360).
Fixed AngleTableEntry(int i);

// Sine of d degrees: entry d mod 360 for d >= 0, the negated entry (-d) mod 360 for d < 0.
// -2147483648 is handled in 64 bits, so it gets the same rule as every other negative angle.
Fixed SinDeg(int32_t degrees);

// Cosine of d degrees: entry (|d| + 90) mod 360.
Fixed CosDeg(int32_t degrees);
