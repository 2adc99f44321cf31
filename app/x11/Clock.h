// The show's time on Linux: a millisecond clock that only moves forward (wrapping at 32 bits like
// the Windows one), and a sleep that a signal cuts short so the program can end at once.
#pragma once
#include <cstdint>

uint32_t Milliseconds();
void SleepMilliseconds(uint32_t ms);
