// The command line of the real program: which options run what, and their exit codes. The option
// table itself is covered by ParseOptionTest; these run the real program once per action.
#include <gtest/gtest.h>

#include "e2e/Driver.h"

namespace {
// With an owner, the sheet must be modal to it: owned by it, and the owner disabled until it closes.
void ExpectSettingsOnly(const std::string& arguments, WPARAM button, HWND owner = nullptr)
{
    ProgramRun run(arguments);
    HWND sheet = run.WaitForWindow("#32770");
    ASSERT_NE(sheet, nullptr) << arguments;  // its caption and pages are PropertySheetTest's
    EXPECT_EQ(GetWindow(sheet, GW_OWNER), owner) << arguments;
    EXPECT_TRUE(owner == nullptr || !IsWindowEnabled(owner)) << arguments;
    PostMessageA(sheet, WM_COMMAND, button, 0);
    for (int i = 0; i < 100 && run.WaitForExit(0) == STILL_ACTIVE; ++i) PumpFor(50);  // it enables its owner again
    EXPECT_EQ(run.WaitForExit(), 1u) << arguments;  // the show never runs
}
}  // namespace

TEST(Options, APreviewWithoutAWindowRunsFullScreenAndUnknownOptionsAreNamed)
{
    ProgramRun saver("/p junk");
    HWND window = saver.WaitForWindow();
    ASSERT_NE(window, nullptr);
    PumpFor(500);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    PostMessageA(window, WM_KEYDOWN, 'A', 0);  // any key ends the screen saver
    EXPECT_EQ(saver.WaitForExit(), 0u);

    ProgramRun unknown("/?");
    HWND box = unknown.WaitForWindow("#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(FindWindowExA(box, nullptr, "Static", "Unknown option '?'."), nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(unknown.WaitForExit(), 0xFFFFFFFFu);
}

TEST(Options, ConfigureExitsWithOneWhateverTheUserChoosesAndIsModalToTheWindowItNames)
{
    ExpectSettingsOnly("/c:1234", IDOK);  // no such window: as without one
    HWND settings = CreateWindowExA(0, "STATIC", "Screen Saver Settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                    300, 200, nullptr, nullptr, nullptr, nullptr);
    ExpectSettingsOnly("/c:" + std::to_string(reinterpret_cast<LONG_PTR>(settings)), IDCANCEL, settings);
    EXPECT_TRUE(IsWindowEnabled(settings));
    DestroyWindow(settings);
}
