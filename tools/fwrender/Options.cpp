#include "tools/fwrender/Options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

std::string RenderUsage()
{
    const RenderOptions defaults;
    return "usage: fwrender [options]\n"
           "Renders the fireworks show headless, as the full-screen display composes it, into PNG frames\n"
           "and an animated GIF.\n"
           "  --size WxH        surface size (default 800x600)\n"
           "  --stereo          red/blue stereo instead of mono\n"
           "  --frames N        frames to write (default 150)\n"
           "  --skip N          frames to run before the first written one (default 0)\n"
           "  --seed S          seed of the random generator (default: the clock)\n"
           "  --script N        launch only built-in script N (0-based line of the scripts file)\n"
           "  --scripts FILE    scripts file, one script per line (default resources/scripts.txt)\n"
           "  --out DIR         output folder (default fwrender-out): frame-NNNN.png and show.gif\n"
           "  --no-png          write no PNG frames\n"
           "  --no-gif          write no GIF\n"
           "  --fps N           frame rate of the show clock (default " + std::to_string(defaults.frameRate) + ")\n"
           "  --gravity N       gravity, cm/s^2 (default " + std::to_string(defaults.gravity) + ")\n"
           "  --wind N          wind, cm/s (default " + std::to_string(defaults.wind) + ")\n"
           "  --limit N         spark limit (default " + std::to_string(defaults.sparkLimit) + ")\n";
}

namespace {
bool ParseInt(const char* text, int64_t low, int64_t high, int64_t& value)
{
    if (text == nullptr || *text == '\0') return false;
    errno = 0;
    char* end = nullptr;
    long long parsed = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

bool ParseSize(const char* text, uint32_t& width, uint32_t& height)
{
    if (text == nullptr) return false;
    const char* cross = std::strchr(text, 'x');
    if (cross == nullptr) return false;
    std::string w(text, cross);
    int64_t a = 0, b = 0;
    if (!ParseInt(w.c_str(), 1, 16384, a) || !ParseInt(cross + 1, 1, 16384, b)) return false;
    width = static_cast<uint32_t>(a);
    height = static_cast<uint32_t>(b);
    return true;
}
}  // namespace

bool ParseRenderOptions(int argc, char** argv, RenderOptions& options, bool& help, std::string& error)
{
    help = false;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        int64_t n = 0;
        bool takesValue = true;
        bool ok = true;
        if (option == "--help" || option == "-h") {
            help = true;
            return true;
        } else if (option == "--stereo") {
            options.stereo = 1;
            takesValue = false;
        } else if (option == "--no-png") {
            options.png = false;
            takesValue = false;
        } else if (option == "--no-gif") {
            options.gif = false;
            takesValue = false;
        } else if (option == "--size") {
            ok = ParseSize(value, options.width, options.height);
        } else if (option == "--frames") {
            ok = ParseInt(value, 1, 100000, n);
            options.frames = static_cast<uint32_t>(n);
        } else if (option == "--skip") {
            ok = ParseInt(value, 0, 10000000, n);
            options.skip = static_cast<uint32_t>(n);
        } else if (option == "--seed") {
            ok = ParseInt(value, 0, UINT32_MAX, n);
            options.seed = static_cast<uint32_t>(n);
            options.seeded = true;
        } else if (option == "--script") {
            ok = ParseInt(value, 0, 1000000, n);
            options.script = n;
        } else if (option == "--scripts") {
            ok = value != nullptr;
            if (ok) options.scriptsFile = value;
        } else if (option == "--out") {
            ok = value != nullptr && *value != '\0';
            if (ok) options.outDir = value;
        } else if (option == "--fps") {
            ok = ParseInt(value, 1, 1000, n);
            options.frameRate = static_cast<uint32_t>(n);
        } else if (option == "--gravity") {
            ok = ParseInt(value, -100000, 100000, n);
            options.gravity = static_cast<int32_t>(n);
        } else if (option == "--wind") {
            ok = ParseInt(value, -100000, 100000, n);
            options.wind = static_cast<int32_t>(n);
        } else if (option == "--limit") {
            ok = ParseInt(value, 1, 1000000, n);
            options.sparkLimit = static_cast<uint32_t>(n);
        } else {
            error = "unknown option: " + option;
            return false;
        }
        if (!ok) {
            error = "bad or missing value for " + option;
            return false;
        }
        if (takesValue) ++i;
    }
    return true;
}
