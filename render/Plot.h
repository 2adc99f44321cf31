// Turns one spark into pixels: a single pixel, or a five-pixel plus when the spark is big. Mono draws
// the spark's own colour; red/blue stereo (stereo 1) draws the left eye's image in red and the right
// eye's in blue (surface) or cyan (GDI) and ignores the spark's colour. Any other stereo value draws
// nothing. Nothing is drawn for a spark that World::Project does not see.
#pragma once
#include <cstdint>

#include "engine/DrawTarget.h"
#include "engine/SurfaceView.h"

class Spark;
class World;

// Writes into a locked 32-bit surface; stereo adds the eye colours with saturation, so the backdrop's
// channels show through and a pixel both eyes hit turns magenta. Neighbours of a big spark are
// tested against the surface edges. A big mono spark also leaves a glint in the bottom 32 rows,
// within five columns of its own column; the glint draws three random numbers (a, b, d) whether or
// not it lands, and is written only when it falls inside the surface.
void PlotSurface(const Spark& spark, const SurfaceView& surface, const World& world, uint32_t stereo);

// Paints with SetPixel; the target clips. Stereo at zero parallax paints white (big: half-white
// neighbours); otherwise red at the left eye, then cyan at the right eye.
void PlotDc(const Spark& spark, DrawTarget& target, const World& world, uint32_t stereo);

// Undoes PlotDc at the spark's current place by copying the backdrop back: one pixel, or the 3 x 3
// block around a big spark, per eye.
void EraseDc(const Spark& spark, DrawTarget& target, const DrawTarget& backdrop, const World& world, uint32_t stereo);
