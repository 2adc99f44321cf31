// The per-frame due pass: runs every spark whose wake time has come.
#pragma once

class Spark;
class World;

// Pops and runs every spark of the world's queue that is due at the world's `now`; survivors go back
// into the queue, dead sparks (and sparks that no longer fit) are deleted. Children spawned during
// the pass run in the same pass when they are due. No spark runs twice in one pass (see below).
void RunDueSparks(World& world);

// For every pass that re-queues a spark that just ran (this one and the GDI back-end's drawing copy):
// a survivor whose wake time is not after `now` would be popped again at once and, its elapsed time
// now being zero, do nothing, for ever. That happens after T0 or a negative T, and when a spark was
// launched in the same millisecond as it ran. Such a spark is moved to now + one frame period (at
// least one millisecond). Returns false when that time wraps past the end of the clock, i.e. nothing
// later than `now` exists: the pass must stop after re-queueing this spark.
bool PostponeToNextFrame(Spark& spark, const World& world);
