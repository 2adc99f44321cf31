// The two surface steps of a full-screen frame: start from a clean copy of the backdrop, then plot
// every queued spark. Between them the frame runs its due pass (RunDueSparks); a back-end that owns
// real surfaces does the copy with its own blitter and calls PlotQueuedSparks on the locked buffer.
#pragma once
#include <cstdint>

#include "engine/SurfaceView.h"

class World;

// Copies the overlapping part of source onto target, row by row (pitches may differ).
void CopySurface(const SurfaceView& target, const SurfaceView& source);

// PlotSurface for every spark of the world's queue, in the queue's storage order.
void PlotQueuedSparks(const SurfaceView& surface, const World& world, uint32_t stereo);
