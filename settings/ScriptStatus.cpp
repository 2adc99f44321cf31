#include "settings/ScriptStatus.h"

#include "engine/ScriptFile.h"

namespace {
std::string Fireworks(size_t n) { return std::to_string(n) + (n == 1 ? " firework" : " fireworks"); }

std::string FirstProblem(const ScriptFinding& f)
{
    return " First problem: line " + std::to_string(f.line) + ", column " + std::to_string(f.column) + ": " +
           f.message + ".";
}
}  // namespace

std::string DescribeScriptFile(const char* path)
{
    const std::string builtInInstead = ": the show plays the built-in fireworks.";
    if (path == nullptr || path[0] == '\0') return "No file chosen" + builtInInstead;
    ScriptFileCheck check = CheckScriptFile(path);
    switch (check.outcome) {
    case ScriptFileCheck::CannotRead:
        return "The file cannot be opened or read" + builtInInstead;
    case ScriptFileCheck::TooLarge:
        return "The file is larger than " + std::to_string(ScriptFileLimit / 1024) + " KB, more than the show reads" +
               builtInInstead;
    case ScriptFileCheck::Checked:
        break;
    }
    if (check.fireworks == 0) return "The file holds no firework" + builtInInstead;
    if (check.findings.empty()) return Fireworks(check.fireworks) + ", all usable.";
    std::string problem = FirstProblem(check.findings.front());
    if (check.usable.empty()) return "No usable firework among " + Fireworks(check.fireworks) + builtInInstead + problem;
    return std::to_string(check.usable.size()) + " of " + Fireworks(check.fireworks) + " usable." + problem;
}
