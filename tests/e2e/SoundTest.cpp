// The full-screen show heard through a sound device: with wine-run.sh's ALSA file sink (FW_SOUND_CAPTURE),
// what the real program plays lands in a file of 32-bit float stereo frames. Without that sink this
// case skips itself.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/Driver.h"

namespace {
// The energy of each channel: the sum of its squared samples.
struct Heard {
    double left = 0, right = 0;
};

// Runs the screen saver for a while with a few fireworks and returns what it played.
Heard RunShowAndListen(const std::string& capture, DWORD soundEffects)
{
    PutDword("screensaver", "SoundEffects", soundEffects);
    PutDword("screensaver", "DrawMode", 1);
    // ALSA's file sink rewrites the file whenever a program opens the device; none may be left over.
    DeleteFileA(capture.c_str());
    {
        ProgramRun run("/s");
        HWND window = run.WaitForWindow();
        EXPECT_NE(window, nullptr);
        PostMessageA(window, WM_USER + 1, 4, 0);  // four more fireworks
        PumpFor(6000);                            // long enough for the rockets to burst
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(run.WaitForExit(), 0u);
    }
    Sleep(500);
    PutDword("screensaver", "SoundEffects", 0);
    PutDword("screensaver", "DrawMode", 2);
    Heard heard;
    FILE* f = std::fopen(capture.c_str(), "rb");
    if (f == nullptr) return heard;  // the device was never opened
    float frame[2];
    while (std::fread(frame, sizeof(frame), 1, f) == 1) {
        heard.left += static_cast<double>(frame[0]) * frame[0];
        heard.right += static_cast<double>(frame[1]) * frame[1];
    }
    std::fclose(f);
    return heard;
}
}  // namespace

TEST(ShowSound, LaunchesAndBurstsAreHeardOnBothSidesOfTheSkyAndNothingWithSoundEffectsOff)
{
    const char* path = std::getenv("FW_SOUND_CAPTURE");
    if (path == nullptr || *path == '\0') GTEST_SKIP() << "set FW_SOUND_CAPTURE to run with the ALSA file sink";
    Heard heard = RunShowAndListen(std::string("Z:") + path, 1);
    EXPECT_GT(heard.left + heard.right, 100.0);
    // Fireworks at random places are panned: the two channels do not carry the same sound.
    EXPECT_NE(heard.left, heard.right);
    Heard off = RunShowAndListen(std::string("Z:") + path, 0);
    EXPECT_EQ(off.left + off.right, 0.0);
}
