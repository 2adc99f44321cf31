#include "tools/fwsim/SimOptions.h"

#include "engine/World.h"

namespace {

// A whole decimal number with an optional minus sign, from low to high.
bool ParseWhole(const std::string& text, int64_t low, int64_t high, int64_t& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == text.size()) return false;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
        if (v > 10000000000LL) return false;
    }
    value = negative ? -v : v;
    return value >= low && value <= high;
}

struct NumberOption {
    const char* name;
    int64_t low;
    int64_t high;
};

const NumberOption numberOptions[] = {
    {"--script", 0, 1000000},       {"--seed", 0, 4294967295LL},   {"--fps", 1, 1000},
    {"--spark-limit", 0, 1000000},  {"--gravity", -65535, 65535},  {"--wind", -65535, 65535},
    {"--frames", 1, 100000000},     {"--launch", 1, 1000},
};

void Store(SimOptions& options, const std::string& name, int64_t v)
{
    if (name == "--script") options.script = static_cast<int32_t>(v);
    else if (name == "--seed") options.seed = static_cast<uint32_t>(v);
    else if (name == "--fps") options.fps = static_cast<uint32_t>(v);
    else if (name == "--spark-limit") options.sparkLimit = static_cast<uint32_t>(v);
    else if (name == "--gravity") options.gravity = static_cast<int32_t>(v);
    else if (name == "--wind") options.wind = static_cast<int32_t>(v);
    else if (name == "--frames") options.frames = static_cast<uint32_t>(v);
    else if (name == "--launch") options.launch = static_cast<uint32_t>(v);
}

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--time") {
            options.time = true;
            continue;
        }
        bool takesFile = name == "--check" || name == "--scripts" || name == "--script-file";
        const NumberOption* number = nullptr;
        for (const NumberOption& o : numberOptions)
            if (name == o.name) number = &o;
        if (!takesFile && number == nullptr) {
            error = "unknown option '" + name + "' (try --help)";
            return false;
        }
        if (i + 1 == args.size()) {
            error = name + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (takesFile) {
            if (value.empty()) {
                error = name + " needs a file name";
                return false;
            }
            if (name == "--check") options.checkFile = value;
            else options.scriptsFile = value;
            continue;
        }
        int64_t v = 0;
        if (!ParseWhole(value, number->low, number->high, v)) {
            error = name + " needs a whole number from " + std::to_string(number->low) + " to " +
                    std::to_string(number->high) + ", not '" + value + "'";
            return false;
        }
        Store(options, name, v);
    }
    return true;
}

std::string SimHelpText()
{
    const SimOptions defaults;
    return std::string("usage: fwsim [options]\n"
           "Runs one firework headless, frame by frame, and reports what it did.\n"
           "\n"
           "  --script N          launch script N (0 is the first line); default: one at random,\n"
           "                      drawn as the show draws it\n"
           "  --scripts FILE      the scripts to launch from, one per line (default: the built-in\n"
           "                      scripts, resources/scripts.txt); --script-file FILE is the same\n"
           "  --seed N            seed of the random generator (default 1); the same seed and\n"
           "                      options always give the same report\n"
           "  --fps N             frames per second, 1 to 1000 (default ") + std::to_string(defaults.fps) + "); a frame lasts\n"
           "                      1000/N milliseconds of simulated time\n"
           "  --spark-limit N     most sparks alive at once, 0 to 1000000 (default " + std::to_string(defaults.sparkLimit) + ")\n"
           "  --gravity N         downward acceleration in cm/s^2 (default " + std::to_string(defaults.gravity) + ")\n"
           "  --wind N            horizontal wind in cm/s (default " + std::to_string(defaults.wind) + ")\n" + std::string(""
           "  --frames N          run N frames after the launch; default: until the last spark\n"
           "                      dies (giving up after 1000000 frames)\n"
           "  --launch N          launch N fireworks, one frame apart, as the digit keys do\n"
           "                      (default 1); with --script all of them run that script\n"
           "  --time              also report how long the due passes took on this computer\n"
           "                      (the only part of the report that varies between runs)\n"
           "  --check FILE        check every script of FILE for malformed constructs, print each\n"
           "                      as FILE:LINE:COLUMN: message, and exit (1 when any was found)\n"
           "  --help              this text\n"
           "\n"
           "The firework starts as the show launches one: on the ground at a random place, rising at\n"
           "4250 to 5249 cm/s, yellow, seen on an 800x600 screen from the show's eye. The report\n"
           "gives the frames until the last spark died, the peak of live sparks, the sparks made,\n"
           "those dropped because the queue was full and those killed by script errors, the commands\n"
           "executed, and every sound requested (frame, effect, pan from -10000 left to 10000 right).\n"
           "It also gives the largest run of one spark and the largest frame, in commands weighed by\n"
           "what they take: a spawn counts ") + std::to_string(SpawnCost) + ", an a or v with angles " +
           std::to_string(AngleCost) + ", a sound " + std::to_string(SoundCost) + ",\nwaking a spark " +
           std::to_string(WakeCost) + ", and every " + std::to_string(ReadsPerCommand) +
           " characters read one more. A run is killed at " + std::to_string(DefaultCommandLimit) +
           ";\na frame stops before it could pass " + std::to_string(DefaultFrameBudget) +
           ", and the sparks still due wait for the next frame.\n" + std::string(""
           "\n"
           "Exit status: 0 done, 1 --check found problems, 2 bad option or unreadable file.\n");
}
