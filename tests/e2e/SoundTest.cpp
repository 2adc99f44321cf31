// The full-screen show heard through a sound device: with wine-run.sh's ALSA file sink (FW_SOUND_CAPTURE),
// what the real program plays lands in a file. Without that sink these cases skip themselves.
#include <gtest/gtest.h>

#include <string>

#include "SoundCapture.h"
#include "e2e/Driver.h"

namespace {
struct Heard {
    double left = 0, right = 0;
    float peak = 0;
};

// Runs the screen saver for a while with a few fireworks and returns what it played.
Heard RunShowAndListen(DWORD soundEffects)
{
    Heard heard;
    Capture capture(CapturePath());
    PutDword("screensaver", "SoundEffects", soundEffects);
    PutDword("screensaver", "DrawMode", 1);
    capture.Remove();
    {
        ProgramRun run("/s");
        HWND window = run.WaitForWindow();
        EXPECT_NE(window, nullptr);
        if (window == nullptr) return heard;
        PostMessageA(window, WM_USER + 1, 4, 0);  // four more fireworks
        PumpFor(6000);                            // long enough for the rockets to burst
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(run.WaitForExit(), 0u);
    }
    Sleep(500);
    size_t frames = 0;
    if (capture.Size() >= 0) {
        EXPECT_TRUE(capture.Energy(0, heard.left, heard.right, frames, heard.peak));
    }
    PutDword("screensaver", "SoundEffects", 0);
    PutDword("screensaver", "DrawMode", 2);
    return heard;
}
}  // namespace

TEST(ShowSound, LaunchesAndBurstsAreHeardOnBothSidesOfTheSkyAndNothingWithSoundEffectsOff)
{
    if (CapturePath() == nullptr) GTEST_SKIP() << "set FW_SOUND_CAPTURE to run with the ALSA file sink";
    Heard heard = RunShowAndListen(1);
    EXPECT_GT(heard.peak, 0.05f);
    EXPECT_GT(heard.left + heard.right, 100.0);
    // Fireworks at random places are panned: the two channels do not carry the same sound.
    EXPECT_NE(heard.left, heard.right);
    EXPECT_EQ(RunShowAndListen(0).peak, 0.0f);
}
