#include "engine/Random.h"

namespace {
uint32_t state = 1;
}

void SeedRandom(uint32_t seed) { state = seed; }

uint32_t RandomState() { return state; }

uint32_t Rand()
{
    state = state * 214013u + 2531011u;
    return (state >> 16) & 0x7FFFu;
}

uint32_t RandomBelow(uint32_t n)
{
    uint32_t r = Rand();
    return n == 0 ? 0 : r % n;
}

int32_t RandomRange(int32_t lo, int32_t hi)
{
    if (hi < lo) {
        int32_t t = lo;
        lo = hi;
        hi = t;
    }
    uint32_t span = static_cast<uint32_t>(hi) - static_cast<uint32_t>(lo) + 1u;
    uint32_t r = Rand();
    uint32_t offset = span == 0 ? r : r % span;
    return static_cast<int32_t>(static_cast<uint32_t>(lo) + offset);
}

bool RandomPercent(int32_t percent) { return Rand() % 100u < static_cast<uint32_t>(percent); }
