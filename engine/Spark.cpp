#include "engine/Spark.h"

Spark::Spark(uint32_t lastRun_, uint32_t wakeTime_, const char* script, Fixed x_, Fixed y_, Fixed z_, Fixed vx_,
             Fixed vy_, Fixed vz_, Pixel colour_)
    : lastRun(lastRun_), wakeTime(wakeTime_), pc(script), x(x_), y(y_), z(z_), vx(vx_), vy(vy_), vz(vz_),
      colour(colour_), big(0), loopCount(0), loopMark(nullptr)
{
}

Spark::Spark(const Spark& parent, SpawnChild)
    : lastRun(parent.lastRun), wakeTime(parent.wakeTime), pc(parent.pc), x(parent.x), y(parent.y), z(parent.z),
      vx(parent.vx), vy(parent.vy), vz(parent.vz), colour(parent.colour), big(parent.big), loopCount(0),
      loopMark(nullptr)
{
}
