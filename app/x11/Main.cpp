// fireworks: the show as an X11 screen saver display mode. It draws into the window the framework
// names in $XSCREENSAVER_WINDOW (or -window-id), on the root window (-root), or in a window of its
// own, at the chosen frame rate, silently, until SIGTERM, a key or the window's end.
// Exit codes: 0 after a normal end (a signal, a key, a close, the window's end), 1 for a bad command
// line or script file, 2 when the display, the window or its visual cannot be used.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "settings/RunMode.h"
#include "engine/Random.h"
#include "app/x11/BuiltInScripts.h"
#include "app/x11/Clock.h"
#include "app/x11/EndSignals.h"
#include "app/FpsMeter.h"
#include "app/SaverOptions.h"
#include "app/SaverShow.h"
#include "app/x11/TargetWindow.h"
#include "app/x11/X11Backend.h"
#include "app/x11/XConnection.h"
#include "settings/Settings.h"

namespace {
int Fail(int code, const std::string& message)
{
    std::fprintf(stderr, "fireworks: %s\n", message.c_str());
    return code;
}

bool WindowWentAway(int error) { return error == BadWindow || error == BadDrawable; }

int Run(const SaverOptions& options, const Settings& settings, const ScriptTable& scripts)
{
    XConnection x;
    if (!x.Open(options.display)) {
        const char* name = !options.display.empty() ? options.display.c_str() : std::getenv("DISPLAY");
        return Fail(2, name != nullptr && *name != '\0' ? std::string("cannot open display ") + name
                                                        : "no display: DISPLAY is not set and -display is not given");
    }
    TargetWindow window;
    std::string error;
    if (!window.Open(x, options, error)) return Fail(2, error);
    SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
    FpsMeter meter;
    X11Backend display(x, window, static_cast<uint32_t>(settings.GetStereo()), options.fpsMeter ? &meter : nullptr);
    if (!display.Start()) return Fail(2, display.Problem());
    SaverShow show(settings, scripts, window.Width(), window.Height(), Milliseconds());
    const uint32_t period = show.GetWorld().framePeriod;

    char gone[64];
    std::snprintf(gone, sizeof gone, "window 0x%lx went away", static_cast<unsigned long>(window.Id()));
    while (!EndRequested()) {
        switch (window.Poll()) {
        case TargetWindow::Gone:
            return Fail(0, gone);
        case TargetWindow::Closed:
            return 0;
        case TargetWindow::Resized:
            if (!display.Resize(window.Width(), window.Height())) return Fail(2, display.Problem());
            show.Resize(window.Width(), window.Height());
            break;
        case TargetWindow::Nothing:
            break;
        }
        uint32_t frameStart = Milliseconds();
        show.Tick(display, Milliseconds());
        int presented = display.PresentError();
        if (WindowWentAway(presented)) return Fail(0, gone);
        if (presented != Success) return Fail(2, "the X server refused a frame (error " + std::to_string(presented) + ")");
        // A late frame is not made up; the clock's wrap never turns into a long sleep.
        uint32_t elapsed = Milliseconds() - frameStart;
        if (elapsed < period) SleepMilliseconds(period - elapsed);
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    // The saver's defaults, changed only by the command line; nothing is stored.
    Settings settings(nullptr, ScreenSaver, nullptr, nullptr);
    SaverOptions options;
    std::string error;
    switch (ParseSaverOptions(argc, argv, std::getenv("XSCREENSAVER_WINDOW"), options, settings, error)) {
    case SaverStart::Help:
        std::fputs(SaverUsage().c_str(), stdout);
        return 0;
    case SaverStart::Bad:
        std::fprintf(stderr, "fireworks: %s\n%s", error.c_str(), SaverUsage().c_str());
        return 1;
    case SaverStart::Run:
        break;
    }
    ScriptTable scripts;
    std::string note;
    if (!LoadSaverScripts(scripts, settings, BuiltInScripts, BuiltInScriptsSize, error, note)) return Fail(1, error);
    if (!note.empty()) std::fprintf(stderr, "fireworks: %s\n", note.c_str());
    CatchEndSignals();
    return Run(options, settings, scripts);
}
