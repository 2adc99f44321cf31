// The per-frame due pass: runs every spark whose wake time has come.
#pragma once

class World;

// Pops and runs every spark of the world's queue that is due at the world's `now`; survivors go back
// into the queue, dead sparks (and sparks that no longer fit) are deleted. Children spawned during
// the pass run in the same pass when they are due.
void RunDueSparks(World& world);
