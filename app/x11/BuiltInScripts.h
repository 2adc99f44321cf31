// The built-in fireworks of the X11 saver: resources/scripts.txt compiled in as NUL-terminated texts
// (cmake/ScriptsToRc.cmake makes the definition), where the Windows program has its resource block.
#pragma once
#include <cstdint>

extern const char BuiltInScripts[];
extern const uint32_t BuiltInScriptsSize;
