#include <gtest/gtest.h>

#include "e2e/Driver.h"

TEST(Smoke, ScreenSaverShowsItsWindowAndClosesOnAKey)
{
    ProgramRun run("/s");
    ASSERT_TRUE(run.Started());
    HWND window = run.WaitForWindow();
    ASSERT_NE(window, nullptr);
    PumpFor(1000);
    Screenshot shot = CaptureScreen("smoke");
    EXPECT_EQ(shot.width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GT(shot.width, 0);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(run.WaitForExit(), 0u);
}
