// The command line of the real program: which options run what, and their exit codes.
#include <gtest/gtest.h>

#include "e2e/Driver.h"

namespace {
void ExpectFullScreenSaver(const char* arguments)
{
    ProgramRun run(arguments);
    ASSERT_TRUE(run.Started());
    HWND window = run.WaitForWindow();
    ASSERT_NE(window, nullptr) << arguments;
    PumpFor(500);
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_TRUE((style & WS_POPUP) != 0) << arguments;
    EXPECT_TRUE((style & WS_CHILD) == 0) << arguments;
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN)) << arguments;
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN)) << arguments;
    PostMessageA(window, WM_KEYDOWN, 'A', 0);  // any key ends the screen saver
    EXPECT_EQ(run.WaitForExit(), 0u) << arguments;
}

void ExpectUnknownOption(const char* arguments, const char* shown)
{
    ProgramRun run(arguments);
    ASSERT_TRUE(run.Started());
    HWND box = WaitForProcessWindow(run.ProcessId(), "#32770");
    ASSERT_NE(box, nullptr) << arguments;
    char caption[128] = "";
    GetWindowTextA(box, caption, sizeof caption);
    EXPECT_STREQ(caption, "Brelkora Fireworks");
    EXPECT_NE(ChildTexts(box).find(shown), std::string::npos) << ChildTexts(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(run.WaitForExit(), 0xFFFFFFFFu) << arguments;
}

// With an owner, the sheet must be modal to it: owned by it, and the owner disabled until it closes.
void ExpectSettingsOnly(const std::string& arguments, WPARAM button, HWND owner = nullptr)
{
    ProgramRun run(arguments);
    ASSERT_TRUE(run.Started());
    HWND sheet = WaitForProcessWindow(run.ProcessId(), "#32770");
    ASSERT_NE(sheet, nullptr) << arguments;
    char caption[128] = "";
    GetWindowTextA(sheet, caption, sizeof caption);
    EXPECT_NE(std::string(caption).find("Brelkora Fireworks"), std::string::npos) << caption;
    EXPECT_EQ(GetWindow(sheet, GW_OWNER), owner) << arguments;
    EXPECT_TRUE(owner == nullptr || !IsWindowEnabled(owner)) << arguments;
    PostMessageA(sheet, WM_COMMAND, button, 0);
    for (int i = 0; i < 100 && run.WaitForExit(0) == STILL_ACTIVE; ++i) PumpFor(50);  // it enables its owner again
    EXPECT_EQ(run.WaitForExit(), 1u) << arguments;  // the show never runs
}
}  // namespace

// The option table itself is covered by ParseOptionTest; these run the real program once per action.
TEST(Options, ScreenSaverAndAPreviewWithoutAWindowRunFullScreenAndUnknownOptionsAreNamed)
{
    ExpectFullScreenSaver("   /s and some trailing text");
    ExpectFullScreenSaver("/p junk");
    ExpectUnknownOption("/?", "Unknown option '?'.");
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
