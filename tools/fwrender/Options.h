// Command line of fwrender.
#pragma once
#include <cstdint>
#include <string>

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
    uint32_t frameRate = 50;
    int32_t gravity = 980;
    int32_t wind = 100;
    uint32_t sparkLimit = 5000;
};

// Parses argv; on a bad option returns false with a message in error. --help sets help.
bool ParseRenderOptions(int argc, char** argv, RenderOptions& options, bool& help, std::string& error);

extern const char RenderUsage[];
