// The one process-wide pseudo-random generator. Every random choice of the show draws from it, in an
// order that the callers keep exactly, so a seed replays a whole show.
#pragma once
#include <cstdint>

void SeedRandom(uint32_t seed);
uint32_t RandomState();

// Next value, 0 to 32767: state = state * 214013 + 2531011, result (state >> 16) & 0x7FFF.
uint32_t Rand();

// Rand() mod n; a count of 0 yields 0 (and still draws, so the sequence does not depend on n).
uint32_t RandomBelow(uint32_t n);

// A value from lo to hi inclusive: lo + Rand() mod (hi - lo + 1). A reversed range is drawn between
// the same two bounds (the smaller one first); the full 32-bit span, whose size does not fit in 32
// bits, takes the draw unreduced.
int32_t RandomRange(int32_t lo, int32_t hi);

// True with probability percent/100: Rand() mod 100 below percent, both unsigned (so a negative
// percentage always passes).
bool RandomPercent(int32_t percent);
