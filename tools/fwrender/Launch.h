// The show's launcher, for tools that run a show without the application: one new firework on the
// ground at a random place, climbing with a random speed, running a randomly chosen script.
#pragma once
#include <cstdint>

class ScriptTable;
class World;

// Draws x, z, vx, vy, vz and the script index from the shared generator in that order, then pushes
// a yellow firework that wakes at wakeTime. Returns false when there is no script, no memory or no
// room in the queue (the firework is dropped then).
bool LaunchFirework(World& world, const ScriptTable& scripts, uint32_t wakeTime);
