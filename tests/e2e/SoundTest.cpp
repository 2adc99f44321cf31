// The full-screen show heard through a sound device: with tools/wine-run.sh's ALSA file sink
// (FW_SOUND_CAPTURE), what the real program plays lands in a file. Without that sink these cases skip
// themselves.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "SoundCapture.h"
#include "e2e/Driver.h"

namespace {
struct Heard {
    double left = 0, right = 0;
    float peak = 0;
    std::string modules;  // the folders the show's DirectDraw and DirectSound were loaded from
};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "ddraw.dll from C:\windows\system32" for each of those two DLLs the process has loaded.
std::string DirectXModules(DWORD processId)
{
    std::string found;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) return found;
    HMODULE modules[512];
    DWORD bytes = 0;
    if (EnumProcessModules(process, modules, sizeof modules, &bytes)) {
        for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
            char path[MAX_PATH] = "";
            GetModuleFileNameExA(process, modules[i], path, MAX_PATH);
            std::string lower = Lower(path);
            size_t slash = lower.find_last_of('\\');
            if (slash == std::string::npos) continue;
            std::string name = lower.substr(slash + 1);
            if (name == "ddraw.dll" || name == "dsound.dll") found += name + " from " + lower.substr(0, slash) + "\n";
        }
    }
    CloseHandle(process);
    return found;
}

// Runs the screen saver for a while with a few fireworks and returns what it played.
Heard RunShowAndListen(DWORD soundEffects)
{
    Heard heard;
    Capture capture(CapturePath());
    StoreSetting("screensaver", "SoundEffects", soundEffects);
    StoreSetting("screensaver", "DrawMode", 1);
    capture.Remove();
    {
        ProgramRun run("/s");
        HWND window = run.WaitForWindow();
        EXPECT_NE(window, nullptr);
        if (window == nullptr) return heard;
        PostMessageA(window, WM_USER + 1, 4, 0);  // four more fireworks
        PumpFor(6000);                            // long enough for the rockets to burst
        heard.modules = DirectXModules(run.ProcessId());
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(run.WaitForExit(), 0u);
    }
    Sleep(500);
    size_t frames = 0;
    if (capture.Size() >= 0) {
        EXPECT_TRUE(capture.Energy(0, heard.left, heard.right, frames, heard.peak));
    }
    StoreSetting("screensaver", "SoundEffects", 0);
    StoreSetting("screensaver", "DrawMode", 2);
    return heard;
}
}  // namespace

TEST(ShowSound, LaunchesAndBurstsAreHeardOnBothSidesOfTheSky)
{
    if (CapturePath() == nullptr) GTEST_SKIP() << "set FW_SOUND_CAPTURE to run with the ALSA file sink";
    Heard heard = RunShowAndListen(1);
    EXPECT_GT(heard.peak, 0.05f);
    EXPECT_GT(heard.left + heard.right, 100.0);
    // Fireworks at random places are panned: the two channels do not carry the same sound.
    EXPECT_NE(heard.left, heard.right);
    // Both came from the system folder, whatever lies beside the program.
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    std::string folder = Lower(system);
    EXPECT_EQ(heard.modules, "ddraw.dll from " + folder + "\ndsound.dll from " + folder + "\n");
}

TEST(ShowSound, WithSoundEffectsOffTheShowIsSilent)
{
    if (CapturePath() == nullptr) GTEST_SKIP() << "set FW_SOUND_CAPTURE to run with the ALSA file sink";
    Heard heard = RunShowAndListen(0);
    EXPECT_EQ(heard.peak, 0.0f);
}
