// Windows directory: where the system keeps its own files (the default MIDI music lives below it).
// Degrades: when the system cannot say, the length is 0 and the default music path is empty.
#pragma once
#include <cstdint>

// GetWindowsDirectoryA: the length copied into `buffer`, 0 on failure, or the size needed (more than
// `capacity`) when the buffer is too small.
uint32_t SystemWindowsDirectory(char* buffer, uint32_t capacity);
