#include "engine/Launcher.h"

#include <new>

#include "engine/Random.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/World.h"

namespace {
Fixed WholeBelow(uint32_t n, int32_t offset) { return FixedFromInt(static_cast<int32_t>(Rand() % n) + offset); }
}

Spark* NewFirework(const World& world, uint32_t wakeTime, const ScriptTable& scripts, Pixel colour)
{
    if (scripts.Count() == 0) return nullptr;
    Fixed x = WholeBelow(8000, -4000);
    Fixed y = world.groundY;
    Fixed z = WholeBelow(1000, 10000);
    Fixed vx = WholeBelow(50, -25);
    Fixed vy = WholeBelow(1000, 4250);
    Fixed vz = WholeBelow(50, -25);
    uint32_t script = RandomBelow(scripts.Count());
    return new (std::nothrow) Spark(world.now, wakeTime, scripts.Script(script), x, y, z, vx, vy, vz, colour);
}

bool ShouldLaunch(uint32_t sparksInQueue) { return sparksInQueue == 0 || Rand() % 100 == 0; }
