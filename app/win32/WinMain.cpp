// Program entry: one option chooses between the interactive show (after its settings), the
// screen-saver settings, the full-screen screen saver and its preview inside another program's window.
#include <windows.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <new>

#include "app/ParseOption.h"
#include "app/win32/BlackoutWindows.h"
#include "app/win32/FireworksApp.h"
#include "app/win32/MonitorList.h"
#include "engine/Random.h"
#include "engine/win32/SystemLibrary.h"
#include "resources/resource.h"
#include "settings/DecimalText.h"
#include "settings/Settings.h"
#include "settings/win32/PropertySheet.h"

namespace {
// Exit code of a show that could not be built (no window, queue or world): nothing could end its
// message loop, so it ends at once instead.
const int ShowUnavailable = 2;

// A window number that names no window counts as none.
HWND WindowFromNumber(int32_t number)
{
    HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(number));
    return window != nullptr && IsWindow(window) ? window : nullptr;
}

bool Configure(HINSTANCE instance, RunMode mode, HWND owner)
{
    std::unique_ptr<Settings> settings(new (std::nothrow) Settings(instance, mode));
    if (!settings) return false;
    bool accepted = RunPropertySheet(*settings, owner);
    settings->SaveIfDirty();
    return accepted;
}

int RunShow(HINSTANCE instance, RunMode mode, HWND parent, bool startPaused)
{
    FireworksApp app(mode, instance, parent);
    if (!app.IsUsable()) return ShowUnavailable;
    if (startPaused) app.Pause();
    // The full-screen saver plays on the primary monitor; no other monitor may keep showing the desktop.
    BlackoutWindows blackout;
    if (mode == ScreenSaver && parent == nullptr)
        blackout.Cover(instance, app.Window(), BlackedOutMonitors(SystemMonitors()));
    return app.Run();
}

int RejectUnknownOption(HINSTANCE instance, char option)
{
    char caption[256] = "";
    char format[256] = "";
    char message[512] = "";
    LoadStringA(instance, IDS_PRODUCT, caption, sizeof caption);
    LoadStringA(instance, IDS_UNKNOWN_OPTION, format, sizeof format);
    std::snprintf(message, sizeof message, format, option);
    MessageBoxA(nullptr, message, caption, MB_OK);
    return -1;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    RestrictDllSearchToSystemFolder();
    SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
    ParsedOption parsed = ParseOption(commandLine);
    switch (ActionFor(parsed.option)) {
    case ConfigureAndRun:
        if (!Configure(instance, Interactive, nullptr)) return 0;
        return RunShow(instance, Interactive, nullptr, false);
    case ConfigureScreenSaver:
        // Owned by Screen Saver Settings when it names itself, so the sheet is modal to it.
        Configure(instance, ScreenSaver, WindowFromNumber(ParseWindowNumber(parsed.rest)));
        return 1;
    case RunPreview:
        return RunShow(instance, ScreenSaver, WindowFromNumber(ParseDecimal(parsed.rest)), true);
    case RunScreenSaver:
        return RunShow(instance, ScreenSaver, nullptr, false);
    case RejectOption:
    default:
        return RejectUnknownOption(instance, parsed.option);
    }
}
