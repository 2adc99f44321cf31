// The show itself, as the X11 program runs it: the fireworks in use, the spark queue and the world,
// and one frame of the Windows tick (stamp the time, draw through the back-end, launch by the same
// rule). Pacing and events are the main loop's.
#pragma once
#include <cstdint>
#include <string>

#include "engine/ScriptTable.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"

class DisplayBackend;
class Settings;

// Fills the table as the settings choose, from the built-in fireworks (`builtInSize` bytes of
// NUL-terminated texts) and the settings' file. A script file in use that cannot be read, is too large or
// holds no firework that can be played is refused with the reason (false). Lines the checker rejects
// while others pass are left out, as the Windows show leaves them out; `note` then says how many.
bool LoadSaverScripts(ScriptTable& table, const Settings& settings, const char* builtIn, uint32_t builtInSize,
                      std::string& error, std::string& note);

class SaverShow {
public:
    // A show of width x height whose clock starts at `now`; the table must outlive it.
    SaverShow(const Settings& settings, const ScriptTable& scripts, uint32_t width, uint32_t height, uint32_t now);

    // One frame at `now`: the back-end runs the due sparks and shows them, then a firework goes up
    // when the sky is empty, or on one frame in a hundred.
    void Tick(DisplayBackend& display, uint32_t now);
    // Launches `count` fireworks, one frame apart, from now on (the frame-time tool fills the sky so).
    void Launch(uint32_t count);
    void Resize(uint32_t width, uint32_t height) { world.Resize(width, height); }

    const World& GetWorld() const { return world; }
    uint32_t Sparks() const { return queue.Count(); }

private:
    const ScriptTable& scripts;
    SparkQueue queue;
    World world;
};
