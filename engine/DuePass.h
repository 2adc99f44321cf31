// The per-frame due pass: runs every spark whose wake time has come.
#pragma once

class Spark;
class World;

// What a drawing back-end weaves into the pass: the GDI window erases each spark where it was last
// drawn before its script runs, and draws it again once it is back in the queue. A spark that dies
// or no longer fits is not drawn again.
class DueSparkObserver {
public:
    virtual ~DueSparkObserver() {}
    virtual void BeforeRun(const Spark& spark) = 0;
    virtual void AfterRequeue(const Spark& spark) = 0;
};

// Pops and runs every spark of the world's queue that is due at the world's `now`; survivors go back
// into the queue, dead sparks (and sparks that no longer fit) are deleted. Children spawned during
// the pass run in the same pass when they are due. No spark runs twice in one pass (see below).
// The pass spends at most the world's frame budget: once a run up to the command limit no longer fits,
// it stops, and the sparks still due stay queued, in order, for the next frame.
void RunDueSparks(World& world, DueSparkObserver* observer = nullptr);

// For every spark that the pass re-queues after its run:
// a survivor whose wake time is not after `now` would be popped again at once and, its elapsed time
// now being zero, do nothing, for ever. That happens after T0 or a negative T, and when a spark was
// launched in the same millisecond as it ran. Such a spark is moved to now + one frame period (at
// least one millisecond). Returns false when that time wraps past the end of the clock, i.e. nothing
// later than `now` exists: the pass must stop after re-queueing this spark.
bool PostponeToNextFrame(Spark& spark, const World& world);
