#include "tools/fwsim/Fwsim.h"

#include <algorithm>
#include <cstdio>

#include "engine/ScriptFile.h"
#include "engine/ScriptTable.h"
#include "tools/fwsim/SimOptions.h"
#include "tools/fwsim/Simulation.h"

namespace {

std::string Whole(Fixed f) { return std::to_string(FixedToWhole(f)); }

std::string Milliseconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f ms", seconds * 1000.0);
    return text;
}

// Total, median and largest time of the due passes.
std::string PassTimes(std::vector<double> seconds)
{
    double total = 0;
    for (double s : seconds) total += s;
    std::sort(seconds.begin(), seconds.end());
    return "due passes took " + Milliseconds(total) + " in all, median " + Milliseconds(seconds[seconds.size() / 2]) +
           ", largest " + Milliseconds(seconds.back()) + "\n";
}

// Checks a file as the show reads it: the findings, then how many of its fireworks the show would use.
int Check(const std::string& path, std::string& out, std::string& err)
{
    ScriptFileCheck check = CheckScriptFile(path.c_str());
    if (check.outcome == ScriptFileCheck::CannotRead) {
        err = "fwsim: cannot read " + path;
        return 2;
    }
    if (check.outcome == ScriptFileCheck::TooLarge) {
        err = "fwsim: " + path + " is larger than " + std::to_string(ScriptFileLimit) + " bytes, more than the show reads";
        return 2;
    }
    for (const ScriptFinding& f : check.findings)
        out += path + ":" + std::to_string(f.line) + ":" + std::to_string(f.column) + ": " + f.message + "\n";
    out += path + ": " + std::to_string(check.fireworks) + " fireworks, " + std::to_string(check.usable.size()) +
           " usable, " +
           (check.findings.empty() ? std::string("no problems") : std::to_string(check.findings.size()) + " problems") +
           "\n";
    return check.findings.empty() ? 0 : 1;
}

std::string Report(const SimOptions& options, const SimResult& r)
{
    std::string s;
    s += "script " + std::to_string(r.script) + ", seed " + std::to_string(options.seed) + ", " +
         std::to_string(options.fps) + " frames/s (" + std::to_string(r.framePeriod) + " ms), spark limit " +
         std::to_string(options.sparkLimit) + ", gravity " + std::to_string(options.gravity) + ", wind " +
         std::to_string(options.wind) + "\n";
    s += "launch: x " + Whole(r.x) + ", z " + Whole(r.z) + ", velocity " + Whole(r.vx) + ", " + Whole(r.vy) +
         ", " + Whole(r.vz) + "\n";
    for (const SimSound& sound : r.sounds)
        s += "sound: frame " + std::to_string(sound.frame) + ", effect " + std::to_string(sound.effect) + ", pan " +
             std::to_string(sound.pan) + "\n";
    if (r.allDied)
        s += "frames until the last spark died: " + std::to_string(r.framesRun) + "\n";
    else
        s += "frames run: " + std::to_string(r.framesRun) + ", sparks still alive: " + std::to_string(r.sparksLeft) +
             "\n";
    s += "peak live sparks: " + std::to_string(r.peakSparks) + "\n";
    s += "sparks made: " + std::to_string(r.sparksMade) + "\n";
    s += "sparks dropped at a full queue: " + std::to_string(r.sparksDropped) + "\n";
    s += "sparks killed by errors: " + std::to_string(r.sparksKilled) + "\n";
    s += "commands executed: " + std::to_string(r.commands) + "\n";
    s += "characters read: " + std::to_string(r.reads) + "\n";
    s += "largest run: " + std::to_string(r.largestRun) + " commands\n";
    s += "largest frame: " + std::to_string(r.largestFrame) + " commands\n";
    s += "frames that reached the budget: " + std::to_string(r.passesCut) + "\n";
    if (!r.passSeconds.empty()) s += PassTimes(r.passSeconds);
    return s;
}

}  // namespace

int RunFwsim(const std::vector<std::string>& args, const std::string& builtInScripts, std::string& out,
             std::string& err)
{
    SimOptions options;
    std::string problem;
    if (!ParseSimOptions(args, options, problem)) {
        err = "fwsim: " + problem;
        return 2;
    }
    if (options.help) {
        out = SimHelpText();
        return 0;
    }
    if (!options.checkFile.empty()) return Check(options.checkFile, out, err);

    const std::string& path = options.scriptsFile.empty() ? builtInScripts : options.scriptsFile;
    ScriptTable scripts;
    if (!LoadScriptFile(path.c_str(), scripts, problem)) {
        err = "fwsim: " + problem;
        return 2;
    }
    if (scripts.Count() == 0) {
        err = "fwsim: " + path + " holds no scripts";
        return 2;
    }
    if (options.script >= 0 && static_cast<uint32_t>(options.script) >= scripts.Count()) {
        err = "fwsim: --script " + std::to_string(options.script) + " is out of range: " + path + " holds " +
              std::to_string(scripts.Count()) + " scripts";
        return 2;
    }
    SimResult result;
    Simulate(options, scripts, result);
    out = Report(options, result);
    return 0;
}
