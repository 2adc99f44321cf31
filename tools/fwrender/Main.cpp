// fwrender: runs the fireworks show without a display and writes what the full-screen back-end
// would show, frame by frame, as PNG files and one animated GIF. For script authors (see a script
// without Windows) and for checking the drawing path by eye.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>

#include "engine/Fixed.h"
#include "engine/Launcher.h"
#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "engine/ScriptFile.h"
#include "engine/ScriptTable.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/HeadlessBackend.h"
#include "tools/fwrender/GifFile.h"
#include "tools/fwrender/Options.h"
#include "tools/fwrender/PngFile.h"

namespace {
// The scripts file, one script per line. With script >= 0 only that one goes into the table, so the
// launcher's script choice (still drawn, keeping the random sequence) always picks it.
bool LoadScripts(const std::string& path, int64_t script, ScriptTable& table, std::string& error)
{
    ScriptTable all;
    if (!LoadScriptFile(path.c_str(), all, error)) {
        error = path + ": " + error;
        return false;
    }
    if (script < 0) return LoadScriptFile(path.c_str(), table, error);
    if (script >= all.Count()) {
        error = "no script " + std::to_string(script) + " in " + path + " (it has " + std::to_string(all.Count()) + ")";
        return false;
    }
    table.Add(all.Script(static_cast<uint32_t>(script)));
    return true;
}

std::string FramePath(const std::string& dir, uint32_t n)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04u.png", n);
    return (std::filesystem::path(dir) / name).string();
}

int Render(const RenderOptions& options)
{
    ScriptTable scripts;
    std::string error;
    std::string scriptsFile = options.scriptsFile.empty() ? std::string(FW_SOURCE_DIR "/resources/scripts.txt") : options.scriptsFile;
    if (!LoadScripts(scriptsFile, options.script, scripts, error)) {
        std::fprintf(stderr, "fwrender: %s\n", error.c_str());
        return 1;
    }
    std::error_code made;
    std::filesystem::create_directories(options.outDir, made);
    if (made) {
        std::fprintf(stderr, "fwrender: cannot create %s\n", options.outDir.c_str());
        return 1;
    }

    // The full-screen composition in a 32-bit display mode with 8 bits per channel.
    SeedRandom(options.seeded ? options.seed : static_cast<uint32_t>(std::time(nullptr)));
    HeadlessBackend display(options.width, options.height, options.stereo);
    if (!display.Start()) {
        std::fprintf(stderr, "fwrender: out of memory\n");
        return 1;
    }
    MemoryImage& frame = display.Picture();

    SparkQueue queue(options.sparkLimit);
    World world(0, options.frameRate, queue, FixedFromInt(-options.gravity), FixedFromInt(options.wind), options.width,
                options.height);

    GifAnimation gif;
    std::string gifPath = (std::filesystem::path(options.outDir) / "show.gif").string();
    uint32_t delay = (world.framePeriod + 5) / 10;
    if (options.gif && !gif.Open(gifPath, options.width, options.height, delay == 0 ? 1 : delay)) {
        std::fprintf(stderr, "fwrender: cannot write %s\n", gifPath.c_str());
        return 1;
    }

    uint32_t peak = 0;
    uint32_t total = options.skip + options.frames;
    for (uint32_t n = 0; n < total; ++n) {
        world.now = n * world.framePeriod;
        display.Frame(world);
        if (queue.Count() > peak) peak = queue.Count();
        if (ShouldLaunch(queue.Count())) {
            Spark* rocket = NewFirework(world, world.now, scripts, GlobalPixelFormat().colorYellow);
            if (rocket != nullptr && !queue.Push(rocket)) delete rocket;
        }
        if (n < options.skip) continue;
        if (options.png && !WritePng(FramePath(options.outDir, n - options.skip), frame.View())) {
            std::fprintf(stderr, "fwrender: cannot write %s\n", FramePath(options.outDir, n - options.skip).c_str());
            return 1;
        }
        if (options.gif && !gif.AddFrame(frame.View())) {
            std::fprintf(stderr, "fwrender: cannot write %s\n", gifPath.c_str());
            return 1;
        }
    }
    if (options.gif && !gif.Close()) {
        std::fprintf(stderr, "fwrender: cannot finish %s\n", gifPath.c_str());
        return 1;
    }
    std::printf("fwrender: %u frames of %ux%u %s, %u scripts, at most %u sparks, into %s\n", options.frames,
                options.width, options.height, options.stereo ? "stereo" : "mono", scripts.Count(), peak,
                options.outDir.c_str());
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    RenderOptions options;
    bool help = false;
    std::string error;
    if (!ParseRenderOptions(argc, argv, options, help, error)) {
        std::fprintf(stderr, "fwrender: %s\n%s", error.c_str(), RenderUsage().c_str());
        return 2;
    }
    if (help) {
        std::fputs(RenderUsage().c_str(), stdout);
        return 0;
    }
    return Render(options);
}
