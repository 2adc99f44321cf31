// Program entry: one option chooses between the interactive show, the screen saver, its preview and
// its settings.
#include <windows.h>

#include <ctime>

#include "app/FireworksApp.h"
#include "app/ParseOption.h"
#include "engine/Random.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
    ParsedOption parsed = ParseOption(commandLine);
    RunMode mode = Interactive;
    switch (parsed.option) {
    case 's':
    case 'S':
        mode = ScreenSaver;
        break;
    default:
        break;
    }
    FireworksApp app(mode, instance, nullptr);
    if (!app.IsUsable()) return 2;
    return app.Run();
}
