#include "app/SaverShow.h"

#include "app/ScriptsInUse.h"
#include "engine/Fixed.h"
#include "engine/Launcher.h"
#include "engine/ScriptFile.h"
#include "engine/Spark.h"
#include "render/DisplayBackend.h"
#include "engine/PixelFormat.h"
#include "settings/Settings.h"

bool LoadSaverScripts(ScriptTable& table, const Settings& settings, const char* builtIn, uint32_t builtInSize,
                      std::string& error, std::string& note)
{
    const char* path = settings.GetScriptFile();
    if (settings.GetScriptUse() != Settings::BuiltInFireworks && path != nullptr && path[0] != '\0') {
        ScriptFileCheck check = CheckScriptFile(path);
        if (check.outcome == ScriptFileCheck::CannotRead) {
            error = std::string("cannot read ") + path;
            return false;
        }
        if (check.outcome == ScriptFileCheck::TooLarge) {
            error = std::string(path) + " is larger than " + std::to_string(ScriptFileLimit) + " bytes";
            return false;
        }
        std::string first;
        if (!check.findings.empty()) {
            const ScriptFinding& f = check.findings.front();
            first = " (line " + std::to_string(f.line) + ", column " + std::to_string(f.column) + ": " + f.message + ")";
        }
        if (check.usable.empty()) {
            error = std::string(path) + (check.fireworks == 0 ? " holds no fireworks" : " holds no firework that can be played" + first);
            return false;
        }
        if (check.usable.size() < check.fireworks)
            note = std::to_string(check.fireworks - check.usable.size()) + " of " + std::to_string(check.fireworks) +
                   " fireworks in " + path + " left out" + first;
    }
    AddScriptsInUse(table, settings, builtIn, builtInSize);
    return true;
}

SaverShow::SaverShow(const Settings& settings, const ScriptTable& scripts_, uint32_t width, uint32_t height, uint32_t now)
    : scripts(scripts_),
      queue(settings.GetSparkLimit()),
      world(now, settings.GetFrameRate(), queue, FixedFromInt(-settings.GetGravity()), FixedFromInt(settings.GetWind()), width,
            height)
{
}

void SaverShow::Tick(DisplayBackend& display, uint32_t now)
{
    world.now = now;
    display.Frame(world);
    if (ShouldLaunch(queue.Count())) Launch(1);
}

void SaverShow::Launch(uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i) {
        Spark* spark = NewFirework(world, world.now + i * world.framePeriod, scripts, GlobalPixelFormat().colorYellow);
        if (spark != nullptr && !queue.Push(spark)) delete spark;
    }
}
