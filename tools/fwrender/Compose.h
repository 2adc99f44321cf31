// One full-screen frame as the DirectDraw back-end composes it, on memory surfaces: a clean copy of
// the backdrop, the due pass, then every queued spark plotted in storage order.
#pragma once
#include <cstdint>

#include "render/SurfaceView.h"

class World;

void ComposeSurfaceFrame(const SurfaceView& frame, const SurfaceView& background, World& world, uint32_t stereo);
