// The command line of the X11 screen saver, in the style of the framework's display modes: options
// start with a single dash and take their value as the next argument. The show's own settings go
// into a Settings record, which clamps them exactly as the Windows settings are clamped.
#pragma once
#include <string>

class Settings;

struct SaverOptions {
    // Where the show draws: a window of its own, the root window, or a window someone else made
    // (named by -window-id or by the framework's $XSCREENSAVER_WINDOW).
    enum Target { OwnWindow, RootWindow, GivenWindow };
    Target target = OwnWindow;
    unsigned long windowId = 0;
    std::string display;  // -display NAME; empty for $DISPLAY
    bool fpsMeter = false;
};

enum class SaverStart { Run, Help, Bad };

// Reads argv (argv[0] is the program) into options and settings. `framedWindow` is the value of
// $XSCREENSAVER_WINDOW or none; -window-id wins over it, and it wins over -root. Numbers out of range
// are clamped by Settings::Validate. A script file given without -scripts plays beside the built-in
// fireworks. Bad gives the reason in `error`.
SaverStart ParseSaverOptions(int argc, char** argv, const char* framedWindow, SaverOptions& options, Settings& settings,
                             std::string& error);

// A window id as X11 tools write it: decimal, or hexadecimal after 0x. False for anything else, and
// for 0, which names no window.
bool ParseWindowId(const char* text, unsigned long& id);

// The usage text, with the ranges and defaults of the settings table.
std::string SaverUsage();
