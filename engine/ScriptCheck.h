// Static check of firework scripts for the people who write them: finds the constructs that kill a
// spark or never end (unknown characters, carriage returns, malformed a, v, s, u, c and T, loops that
// nest or are never opened, brackets that do not match, reversed ranges) without running anything.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ScriptFinding {
    uint32_t line;    // 1-based line of the script file (the script's index + 1)
    uint32_t column;  // 1-based character position in the line
    std::string message;
};

// Checks one script text (which may hold any byte, NUL included) and appends what it finds.
void CheckScript(const std::string& text, uint32_t line, std::vector<ScriptFinding>& findings);

// Checks every line of a script file.
std::vector<ScriptFinding> CheckScripts(const std::vector<std::string>& lines);
