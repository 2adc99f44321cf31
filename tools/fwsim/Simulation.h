// The headless show: fireworks launched as the show launches them, run frame by frame on a simulated
// clock against a World and a queue like the show's, with every sound and counter recorded.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/Fixed.h"
#include "tools/fwsim/SimOptions.h"

class ScriptTable;

struct SimSound {
    uint32_t frame;
    int32_t effect;
    int32_t pan;
};

struct SimResult {
    uint32_t script = 0;             // the script launched
    Fixed x = 0, z = 0, vx = 0, vy = 0, vz = 0;  // the launch values
    uint32_t framePeriod = 0;        // milliseconds
    uint32_t framesRun = 0;          // frames after the launch frame
    bool allDied = false;            // the last spark died within framesRun
    uint32_t sparksLeft = 0;
    uint32_t peakSparks = 0;         // most sparks in the queue at the end of a frame
    uint64_t sparksMade = 0;         // the firework and every child
    uint64_t sparksDropped = 0;      // deleted because the queue was full
    uint64_t sparksKilled = 0;       // runs ended by a script error
    uint64_t commands = 0;
    uint64_t reads = 0;              // characters read by the runs
    uint32_t largestRun = 0;         // in commands, reads included (see ReadsPerCommand)
    uint32_t largestFrame = 0;
    uint64_t passesCut = 0;          // frames that reached the budget and left sparks for the next
    std::vector<SimSound> sounds;
    std::vector<double> passSeconds;  // with --time: how long each frame's due pass took
};

// Runs the simulation. `script` of the options must be below the table's count (or -1); the table
// must not be empty. Seeds the shared generator and installs the 8-8-8 pixel format.
void Simulate(const SimOptions& options, const ScriptTable& scripts, SimResult& result);
