// Script files: plain text, one firework per line, LF line ends. The built-in scripts live in such a
// file (resources/scripts.txt), from which the build also makes the resource; users write their own.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/ScriptCheck.h"

class ScriptTable;

// The largest file of fireworks the show reads, in bytes.
const uint32_t ScriptFileLimit = 65536;

// Adds every line of a file to a table, in order (a final line end does not start another line).
// Refuses (false, with `problem` saying why, and
// nothing added) a file that cannot be read, or a line holding a carriage return or a NUL byte: in a
// script those are not line ends but commands that kill the spark, which is never what the author meant.
bool LoadScriptFile(const char* path, ScriptTable& table, std::string& problem);

// What reading a file of fireworks as the show reads it, and checking every line, found.
struct ScriptFileCheck {
    enum Outcome { Checked, CannotRead, TooLarge };
    Outcome outcome = CannotRead;
    uint32_t fireworks = 0;              // lines holding anything but blanks (blank lines are no firework)
    std::vector<std::string> usable;     // the fireworks in which the checker found nothing, in file order
    std::vector<ScriptFinding> findings; // what it found, line by line, each line's by column
};

// Reads a file of at most ScriptFileLimit bytes and checks each line. A larger file, or one that cannot
// be opened or read, gives no firework at all. The lines are copied as they are read, so a file that
// changes afterwards changes nothing; one that changes while it is read gives whatever was read, which
// is checked like any other text.
ScriptFileCheck CheckScriptFile(const char* path);
