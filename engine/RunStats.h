// Counters of what the sparks did, for the simulator and the benchmarks. The interpreter and the due
// pass bump them only when the world points at a RunStats, so the show pays one pointer test per run.
#pragma once
#include <cstdint>

struct RunStats {
    uint64_t commands = 0;       // script commands executed (blanks not counted)
    uint64_t sparksSpawned = 0;  // children created by s[...]
    uint64_t sparksDropped = 0;  // sparks deleted because the queue was full (new children, re-queued survivors)
    uint64_t sparksKilled = 0;   // runs that ended dead because of an error or the command bound
    uint64_t reads = 0;          // characters the runs read (commands, operands, blanks, skipped blocks)
    uint32_t largestRun = 0;     // the most one run cost, in commands (see ReadsPerCommand)
    uint32_t largestFrame = 0;   // the most one due pass cost
    uint64_t passesCut = 0;      // due passes that reached the frame budget and left sparks for later
};
