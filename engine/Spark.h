// One point of light: its place in a script text, its motion and its looks. Sparks are heap objects,
// owned by the queue while they wait and by the pass that runs them while they run. Up to 20000 of
// them live at once and none is ever derived from, so a spark carries no virtual table.
#pragma once
#include <cstdint>

#include "engine/Fixed.h"
#include "engine/PixelFormat.h"

class World;

class Spark {
public:
    struct SpawnChild {};

    // A new firework at the start of a script text.
    Spark(uint32_t lastRun, uint32_t wakeTime, const char* script, Fixed x, Fixed y, Fixed z, Fixed vx, Fixed vy,
          Fixed vz, Pixel colour);
    // A spawned child: a copy of the parent's clock, position in the text, motion and looks, with no
    // loop of its own. The spawning code sets the child's wakeTime and pc itself.
    Spark(const Spark& parent, SpawnChild);
    Spark(const Spark&) = delete;
    Spark& operator=(const Spark&) = delete;

    // Executes the script from pc until the spark sleeps (true) or its text or block ends (false).
    bool Run(World& world);

    uint32_t lastRun;
    uint32_t wakeTime;
    const char* pc;
    Fixed x, y, z;
    Fixed vx, vy, vz;
    Pixel colour;
    uint8_t big;
    uint32_t loopCount;
    const char* loopMark;
};
