// frametime: measures the show's frame under Wine or Windows. It builds the real application object
// (full-screen screen saver settings), keeps the sky full of sparks up to the spark limit, runs frames
// through the window's tick message, and prints the median frame time without the sleep, split into
// its phases.
//   frametime.exe [--backend gdi|ddraw] [--sparks LIMIT] [--frames N] [--stereo]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/win32/FireworksApp.h"
#include "engine/SparkQueue.h"
#include "render/FrameProfiler.h"
#include "settings/SettingFields.h"
#include "settings/Settings.h"
#include "settings/win32/RegistryStore.h"

namespace {

struct SavedValue {
    const char* name;
    DWORD value;
    bool present;
};

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// The tool borrows the screen saver's settings for its run and puts back what was there.
class BorrowedSettings {
public:
    BorrowedSettings(DWORD drawMode, DWORD sparkLimit, DWORD stereo) : key(OpenSettingsKey(ScreenSaver))
    {
        Set(0, FieldOf(SettingId::DrawMode).name, drawMode);
        Set(1, FieldOf(SettingId::SparkLimit).name, sparkLimit);
        Set(2, FieldOf(SettingId::Stereo).name, stereo);
    }
    ~BorrowedSettings()
    {
        if (key == nullptr) return;
        for (const SavedValue& v : saved) {
            if (v.present)
                RegSetValueExA(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.value), sizeof v.value);
            else
                RegDeleteValueA(key, v.name);
        }
        RegCloseKey(key);
    }

private:
    void Set(int i, const char* name, DWORD value)
    {
        saved[i].name = name;
        saved[i].present = false;
        if (key == nullptr) return;
        DWORD type = 0, size = sizeof saved[i].value;
        saved[i].present = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&saved[i].value), &size) ==
                               ERROR_SUCCESS && type == REG_DWORD;
        RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    HKEY key;
    SavedValue saved[3];
};
}  // namespace

int main(int argc, char** argv)
{
    DWORD drawMode = Settings::GDI, stereo = 0;
    DWORD sparkLimit = static_cast<DWORD>(InteractiveDefault(SettingId::SparkLimit));
    int frames = 300;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--backend") == 0 && i + 1 < argc) {
            drawMode = std::strcmp(argv[++i], "ddraw") == 0 ? Settings::DirectDraw : Settings::GDI;
        } else if (std::strcmp(argv[i], "--sparks") == 0 && i + 1 < argc) {
            sparkLimit = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10));
        } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
            frames = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--stereo") == 0) {
            stereo = 1;
        } else {
            std::fprintf(stderr, "usage: frametime [--backend gdi|ddraw] [--sparks LIMIT] [--frames N] [--stereo]\n");
            return 2;
        }
    }

    BorrowedSettings borrowed(drawMode, sparkLimit, stereo);
    FireworksApp app(ScreenSaver, GetModuleHandleA(nullptr), nullptr);
    if (!app.IsUsable()) {
        std::fprintf(stderr, "frametime: the show could not be built\n");
        return 1;
    }
    HWND window = app.Window();
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 300) Pump();

    // Fill the sky, then measure.
    FrameProfiler warmUp;
    app.SetProfiler(&warmUp);
    for (int i = 0; i < 400 && app.Queue() != nullptr && app.Queue()->Count() < sparkLimit * 9 / 10; ++i) {
        if (i % 5 == 0) SendMessageA(window, WM_FW_LAUNCH, 9, 0);
        SendMessageA(window, WM_FW_TICK, 0, 0);
        Pump();
    }
    FrameProfiler profiler;
    app.SetProfiler(&profiler);
    for (int i = 0; i < frames && IsWindow(window); ++i) {
        if (app.Queue()->Count() < sparkLimit * 9 / 10) SendMessageA(window, WM_FW_LAUNCH, 3, 0);
        SendMessageA(window, WM_FW_TICK, 0, 0);
        Pump();
    }
    app.SetProfiler(nullptr);

    std::printf("backend %s%s, spark limit %lu, frames %u, backend in use %s\n", drawMode == Settings::DirectDraw ? "ddraw" : "gdi",
                stereo ? " stereo" : "", static_cast<unsigned long>(sparkLimit), static_cast<unsigned>(profiler.Frames()),
                app.Display() != nullptr ? app.Display()->Name() : "none");
    std::printf("median live sparks %u\n", profiler.MedianSparks());
    std::printf("median frame (without sleep) %.3f ms\n", profiler.MedianFrameMs());
    for (int p = 0; p < FrameProfiler::PhaseCount; ++p) {
        FrameProfiler::Phase phase = static_cast<FrameProfiler::Phase>(p);
        std::printf("  median %-14s %.3f ms\n", FrameProfiler::PhaseName(phase), profiler.MedianPhaseMs(phase));
    }
    DestroyWindow(window);
    return 0;
}
