// Command line of the fwsim tool.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "settings/SettingFields.h"

struct SimOptions {
    bool help = false;
    std::string checkFile;     // --check: check this file and do nothing else
    std::string scriptsFile;   // --scripts / --script-file; empty means the built-in scripts
    int32_t script = -1;       // --script; -1 picks one at random as the show does
    uint32_t seed = 1;
    // The show's own defaults.
    uint32_t fps = static_cast<uint32_t>(InteractiveDefault(SettingId::FrameRate));
    uint32_t sparkLimit = static_cast<uint32_t>(InteractiveDefault(SettingId::SparkLimit));
    int32_t gravity = InteractiveDefault(SettingId::Gravity);
    int32_t wind = InteractiveDefault(SettingId::Wind);
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
