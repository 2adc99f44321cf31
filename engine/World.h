// The record every spark sees while it runs and every drawing routine uses to place a spark: frame
// clock, physics constants, surface size and the show's viewing geometry (one eye, a projection plane
// just in front of it, and a second eye 256 units to the right for red/blue stereo).
#pragma once
#include <cstdint>

#include "engine/Fixed.h"

class SparkQueue;
class SoundSink;
struct RunStats;

// The work of a run is counted in commands, weighed by what they take, so that no mix of commands
// does much more work per count than the built-in fireworks do: each command counts one, a spawn
// counts SpawnCost (it makes a spark and queues it, or throws it away when the queue is full), an `a`
// or `v` with angles AngleCost (sines, cosines and their products), a sound SoundCost (the sound
// device's calls take about as long as that many commands), and every ReadsPerCommand characters the
// run reads (blanks, operands, skipped blocks) count one more, so that a text of long blanks or huge
// blocks costs what it takes.
const uint32_t ReadsPerCommand = 16;
const uint32_t SpawnCost = 6;
const uint32_t AngleCost = 4;
const uint32_t SoundCost = 24;

// What waking a spark costs the due pass besides its run (taking it from the queue, its elapsed time,
// putting it back), in commands.
const uint32_t WakeCost = 1;

// Commands one run of a spark may execute before it is killed: it ends loops that never sleep. Ten
// times the largest run of a built-in firework (3340: firework 9 bursting into 250 stars).
const uint32_t DefaultCommandLimit = 33400;

// The most a run can cost: its bound, and the command during which it reached it (a sound at most,
// whose fixed-size operands are fewer than ReadsPerCommand characters).
inline uint32_t MaxRunCost(uint32_t commandLimit) { return commandLimit + SoundCost; }

// Commands one due pass may execute. A pass starts a run only while a whole run up to the limit above
// still fits, so no frame ever goes beyond it; sparks still due then wait for the next frame. A sky of
// 20000 sparks of built-in fireworks costs at most about 201000 in a frame, so the show never meets
// it, and the weights above keep the costliest mixes of commands within half a frame at 50 frames per
// second in the 32-bit program (fwsim --launch measures the first, tools/budget-time.sh the second).
const uint32_t DefaultFrameBudget = 300000;

class World {
public:
    // The viewing geometry, in world units: the eye 35 m above the ground and 50 m in front of the
    // origin, looking along +z at the launch ground 100 to 110 m beyond it; the projection plane 5 cm
    // in front of the eye; the ground is the plane y = 0.
    static constexpr Fixed eyeX = 0;
    static constexpr Fixed eyeY = 3500 * FixedOne;
    static constexpr Fixed eyeZ = -5000 * FixedOne;
    static constexpr Fixed screenZ = -4995 * FixedOne;
    static constexpr Fixed groundY = 0;

    // frameRate 0 (which the settings never allow) is treated as 1 frame per second. The sounds go to
    // `sounds` (none: silence).
    World(uint32_t startTime, uint32_t frameRate, SparkQueue& queue, Fixed gravity, Fixed wind, uint32_t width,
          uint32_t height, SoundSink* sounds = nullptr);
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    void Resize(uint32_t width, uint32_t height);

    // Perspective projection of a world point. Returns true when the point lies beyond the projection
    // plane and (sx, sy) is on the surface; writes nothing for a point at or behind the plane. sx2,
    // when given, receives the right eye's column (never tested against the surface).
    bool Project(Fixed x, Fixed y, Fixed z, int32_t* sx, int32_t* sy, int32_t* sx2 = nullptr) const;

    // Pan from -10000 (left edge) to just under 10000 (right edge) for a point's screen column;
    // hard left or right for a point off the screen, centre for a point at or behind the plane.
    int32_t PanOf(Fixed x, Fixed y, Fixed z) const;

    // Plays sound effect n once at full volume, panned by where (x, y, z) appears on the screen.
    void PlaySoundAt(int32_t n, Fixed x, Fixed y, Fixed z);

    uint32_t now;
    uint32_t framePeriod;
    SparkQueue& queue;
    Fixed gravity;
    Fixed wind;
    uint32_t width, height;
    uint32_t halfWidth, halfHeight;
    SoundSink* sounds;
    // Counters the interpreter and the due pass bump when set (the simulator and the benchmarks read
    // them); none in the show.
    RunStats* stats;
    // Bound on the commands of one run (DefaultCommandLimit unless a tool lowers it).
    uint32_t commandLimit;
    // Bound on the commands of one due pass (DefaultFrameBudget unless a tool changes it), and what the
    // current pass has spent so far; every run adds what it cost.
    uint32_t frameBudget;
    uint32_t passCommands;
};
