// New fireworks: where and how a rocket starts. The order of the random draws is fixed, so a seed
// replays the same show.
#pragma once
#include <cstdint>

#include "engine/PixelFormat.h"

class Spark;
class World;
class ScriptTable;

// A new firework waking at `wakeTime`, last run at the world's now, on the ground between x -4000 and
// 3999 and z 10000 and 10999, rising at 4250 to 5249 units per second, drifting by -25 to 24 in x and
// z, with `colour`, running a script picked at random. The draws are x, z, vx, vy, vz, then the
// script. Returns none when no memory is left or the table is empty.
Spark* NewFirework(const World& world, uint32_t wakeTime, const ScriptTable& scripts, Pixel colour);

// The tick's launch rule: always when the queue is empty, otherwise on one draw in a hundred.
bool ShouldLaunch(uint32_t sparksInQueue);
