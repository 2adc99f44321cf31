// Command line of the fwsim tool.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct SimOptions {
    bool help = false;
    std::string checkFile;     // --check: check this file and do nothing else
    std::string scriptsFile;   // --scripts / --script-file; empty means the built-in scripts
    int32_t script = -1;       // --script; -1 picks one at random as the show does
    uint32_t seed = 1;
    uint32_t fps = 50;
    uint32_t sparkLimit = 5000;
    int32_t gravity = 980;
    int32_t wind = 100;
    uint32_t frames = 0;       // 0: until the last spark dies
    uint32_t launch = 1;       // fireworks launched at the start, one frame apart
    bool time = false;         // also measure how long the due passes take (not deterministic)
};

// Frames a run "until the last spark dies" gives up after, for scripts that never end.
const uint32_t SimFrameCap = 1000000;

// Parses the arguments after the program name. False with a one-line `error` for an unknown option,
// a missing value or a value out of range.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error);

// The text --help prints.
std::string SimHelpText();
