// Command line of fwrender.
#pragma once
#include <cstdint>
#include <string>

#include "settings/SettingFields.h"

struct RenderOptions {
    uint32_t width = 800;
    uint32_t height = 600;
    uint32_t stereo = 0;
    uint32_t frames = 150;
    uint32_t skip = 0;          // frames run before the first one written
    uint32_t seed = 0;
    bool seeded = false;        // without --seed the clock seeds the show, as the program does
    int64_t script = -1;        // -1: launch random scripts from all of them
    std::string scriptsFile;    // empty: the resources/scripts.txt of the source tree
    std::string outDir = "fwrender-out";
    bool png = true;
    bool gif = true;
    // The show's own defaults.
    uint32_t frameRate = static_cast<uint32_t>(InteractiveDefault(SettingId::FrameRate));
    int32_t gravity = InteractiveDefault(SettingId::Gravity);
    int32_t wind = InteractiveDefault(SettingId::Wind);
    uint32_t sparkLimit = static_cast<uint32_t>(InteractiveDefault(SettingId::SparkLimit));
};

// Parses argv; on a bad option returns false with a message in error. --help sets help.
bool ParseRenderOptions(int argc, char** argv, RenderOptions& options, bool& help, std::string& error);

// The text --help prints.
std::string RenderUsage();
