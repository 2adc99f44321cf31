#include "tools/fwsim/Simulation.h"

#include <chrono>

#include "engine/DuePass.h"
#include "engine/Launcher.h"
#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "engine/RunStats.h"
#include "engine/ScriptTable.h"
#include "engine/SoundSink.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"

namespace {

class SoundLog : public SoundSink {
public:
    explicit SoundLog(std::vector<SimSound>& sounds_) : sounds(sounds_) {}
    bool PlayEffect(int32_t effect, uint32_t, int32_t, int32_t pan) override
    {
        sounds.push_back(SimSound{frame, effect, pan});
        return true;
    }
    uint32_t frame = 0;

private:
    std::vector<SimSound>& sounds;
};

// The show's screen and viewing geometry.
const uint32_t ScreenWidth = 800;
const uint32_t ScreenHeight = 600;

}  // namespace

void Simulate(const SimOptions& options, const ScriptTable& scripts, SimResult& result)
{
    result = SimResult();
    GlobalPixelFormat().SetMasks(0xFF0000, 0xFF00, 0xFF);
    SeedRandom(options.seed);

    SparkQueue queue(options.sparkLimit);
    SoundLog sounds(result.sounds);
    RunStats stats;
    World world(0, options.fps, queue, FixedFromInt(-options.gravity), FixedFromInt(options.wind), ScreenWidth,
                ScreenHeight, &sounds);
    world.stats = &stats;
    result.framePeriod = world.framePeriod;

    // Frame 0 is the launch frame: the tick launches after its due pass, so the first firework first
    // runs one frame later, exactly as in the show. The report describes the first firework.
    for (uint32_t i = 0; i < options.launch; ++i) {
        Spark* firework = NewFirework(world, world.now + i * world.framePeriod, scripts, GlobalPixelFormat().colorYellow);
        if (firework == nullptr) continue;
        if (options.script >= 0) firework->pc = scripts.Script(static_cast<uint32_t>(options.script));
        if (i == 0) {
            for (uint32_t k = 0; k < scripts.Count(); ++k)
                if (scripts.Script(k) == firework->pc) result.script = k;
            result.x = firework->x;
            result.z = firework->z;
            result.vx = firework->vx;
            result.vy = firework->vy;
            result.vz = firework->vz;
        }
        ++result.sparksMade;
        if (!queue.Push(firework)) {
            delete firework;
            ++result.sparksDropped;
        }
    }
    result.peakSparks = queue.Count();

    uint32_t lastFrame = options.frames != 0 ? options.frames : SimFrameCap;
    for (uint32_t frame = 1; frame <= lastFrame && queue.Count() > 0; ++frame) {
        world.now += world.framePeriod;
        sounds.frame = frame;
        std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
        RunDueSparks(world);
        if (options.time)
            result.passSeconds.push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        result.framesRun = frame;
        if (queue.Count() > result.peakSparks) result.peakSparks = queue.Count();
    }
    result.allDied = queue.Count() == 0;
    result.sparksLeft = queue.Count();
    result.sparksMade += stats.sparksSpawned;
    result.sparksDropped += stats.sparksDropped;
    result.sparksKilled = stats.sparksKilled;
    result.commands = stats.commands;
    result.reads = stats.reads;
    result.largestRun = stats.largestRun;
    result.largestFrame = stats.largestFrame;
    result.passesCut = stats.passesCut;
}
