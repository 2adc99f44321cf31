#include "tools/fwrender/Launch.h"

#include <new>

#include "engine/Fixed.h"
#include "engine/Random.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/PixelFormat.h"

namespace {
Fixed Units(uint32_t draw, uint32_t range, int32_t offset)
{
    return FixedFromInt(static_cast<int32_t>(draw % range) + offset);
}
}  // namespace

bool LaunchFirework(World& world, const ScriptTable& scripts, uint32_t wakeTime)
{
    if (scripts.Count() == 0) return false;
    Fixed x = Units(Rand(), 8000, -4000);
    Fixed y = world.groundY;
    Fixed z = Units(Rand(), 1000, 10000);
    Fixed vx = Units(Rand(), 50, -25);
    Fixed vy = Units(Rand(), 1000, 4250);
    Fixed vz = Units(Rand(), 50, -25);
    uint32_t script = RandomBelow(scripts.Count());
    Spark* spark = new (std::nothrow)
        Spark(world.now, wakeTime, scripts.Script(script), x, y, z, vx, vy, vz, GlobalPixelFormat().colorYellow);
    if (spark == nullptr) return false;
    if (world.queue.Push(spark)) return true;
    delete spark;
    return false;
}
