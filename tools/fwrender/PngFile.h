// Writes one frame (words 0x00RRGGBB) as an 8-bit RGB PNG file through libpng.
#pragma once
#include <string>

#include "engine/SurfaceView.h"

bool WritePng(const std::string& path, const SurfaceView& frame);
