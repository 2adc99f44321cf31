// Fixed-point numbers of the engine: signed 32 bits with 15 fraction bits (32768 is 1.0).
// Overflow wraps as 32-bit integers do; every conversion from a real number truncates toward zero.
#pragma once
#include <cstdint>

typedef int32_t Fixed;

const int FixedShift = 15;
const Fixed FixedOne = 32768;

// Keeps the low 32 bits of a 64-bit value (two's complement wrap, spelled out for every compiler).
inline int32_t WrapToInt32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }

// True when x truncates to a value of 32 bits. 32-bit x86 converts such a real in one SSE2 instruction,
// while a conversion to 64 bits goes through the x87 unit and memory; the hot paths (the drag and the
// elapsed time of every spark run, the projection of every plotted spark) take this road.
inline bool TruncatesToInt32(double x) { return x > -2147483649.0 && x < 2147483648.0; }

// The general case: truncates a real number toward zero and wraps it into 32 bits. Values too large
// for 64 bits and NaN give 0 rather than undefined behaviour.
inline int32_t TruncToInt32Wide(double x)
{
    if (!(x > -9.2e18 && x < 9.2e18)) return 0;
    return WrapToInt32(static_cast<int64_t>(x));
}

inline int32_t TruncToInt32(double x)
{
    return TruncatesToInt32(x) ? static_cast<int32_t>(x) : TruncToInt32Wide(x);
}

inline Fixed FixedFromInt(int32_t n) { return static_cast<Fixed>(static_cast<uint32_t>(n) << FixedShift); }

// The whole part shifted up plus the truncated fraction, wrapped into 32 bits. Scaling by 32768 is
// exact, and so is splitting a real into whole part and fraction, so while x * 32768 fits 32 bits
// this is that product truncated once; larger values keep the low bits of the whole part.
inline Fixed FixedFromReal(double x)
{
    double scaled = x * 32768.0;
    if (TruncatesToInt32(scaled)) return static_cast<int32_t>(scaled);
    if (!(x > -9.2e18 && x < 9.2e18)) return 0;
    int64_t whole = static_cast<int64_t>(x);
    double fraction = (x - static_cast<double>(whole)) * 32768.0;
    return WrapToInt32(static_cast<int64_t>(static_cast<uint64_t>(whole) << FixedShift) + static_cast<int64_t>(fraction));
}

// Sum and difference that wrap as 32-bit integers do, instead of overflowing (scripts can push any
// value out of range, and signed overflow would be undefined).
inline Fixed FixedAdd(Fixed a, Fixed b) { return WrapToInt32(static_cast<int64_t>(a) + static_cast<int64_t>(b)); }
inline Fixed FixedSub(Fixed a, Fixed b) { return WrapToInt32(static_cast<int64_t>(a) - static_cast<int64_t>(b)); }

inline double FixedToReal(Fixed f) { return f / 32768.0; }

// Whole units, truncated toward zero (-1.5 gives -1).
inline int32_t FixedToWhole(Fixed f) { return f / FixedOne; }

// Exact 64-bit product shifted right arithmetically (rounds toward minus infinity). Only the low 32
// bits are kept, and those are the same whether the shift fills with the sign or with zeros, so the
// shift is done unsigned: one instruction pair, and defined for every product.
inline Fixed FixedMul(Fixed a, Fixed b)
{
    int64_t p = static_cast<int64_t>(a) * static_cast<int64_t>(b);
    return static_cast<Fixed>(static_cast<uint32_t>(static_cast<uint64_t>(p) >> FixedShift));
}

// (a << 15) / b as a truncating signed 64-bit division. Division by zero gives 0.
inline Fixed FixedDiv(Fixed a, Fixed b)
{
    if (b == 0) return 0;
    return WrapToInt32(static_cast<int64_t>(a) * 32768 / static_cast<int64_t>(b));
}
