// The running show as a user sees it: the user's own fireworks and the built-in ones over the
// skyline, the preview in a host window, and a long run at the largest spark limit that keeps its
// memory flat.
#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "e2e/Driver.h"
#include "tests/TempFiles.h"

namespace {
size_t CountColourful(const Screenshot& shot, bool onlyMagenta = false)
{
    size_t n = 0;
    for (uint32_t p : shot.pixels) {
        int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        n += onlyMagenta ? r > 150 && g < 80 && b > 150 : std::max(r, std::max(g, b)) - std::min(r, std::min(g, b)) > 60;
    }
    return n;
}

SIZE_T PrivateBytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return counters.PrivateUsage;
}
}  // namespace

TEST(Show, PlaysTheUsersOwnFireworksReadOnceAtStartUpThenTheBuiltInOnesOverTheBackdrop)
{
    // Magenta bursts, which no built-in firework and no backdrop shows, and a line the checker rejects.
    std::string file = WriteTemp("fw_show_own.txt",
                                 "R cFF00FF d gwm t uv<250 l100 s[R a1000~1250,0~360,0~360 l75~120 gwm t n] n\n"
                                 "R cFFFF00 xx d gwm t uv<250\n");
    PutDword("screensaver", "DrawMode", 2);
    PutDword("screensaver", "Stereo", 0);
    PutDword("screensaver", "ScriptUse", 1);
    settings_registry::PutRaw("screensaver", "ScriptFile", REG_SZ, file.c_str(), static_cast<DWORD>(file.size() + 1));
    // The file turns to junk while the first show runs (it goes on); the next plays the built-in ones.
    for (int run = 0; run < 2; ++run) {
        ProgramRun show("/s");
        HWND window = show.WaitForWindow();
        ASSERT_NE(window, nullptr);
        PumpFor(1500);
        if (run == 0) WriteTemp("fw_show_own.txt", std::string("\0\x89PNG\r\n", 7));
        PostMessageA(window, WM_USER + 1, 5, 0);
        PumpFor(2000);
        Screenshot shot = CaptureClient(window, run == 0 ? "show-own" : "show-gdi");
        EXPECT_GT(CountColourful(shot), 20u) << run;
        EXPECT_EQ(CountColourful(shot, true) == CountColourful(shot), run == 0) << "only the user's fireworks, then none";
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(show.WaitForExit(), 0u);
    }
    PutDword("screensaver", "ScriptUse", 0);
}

// What the preview draws cannot be read under Wine: another process's child window reaches neither
// the screen nor its host's surface. Its place, its calm under the mouse and its end are checked.
TEST(Show, PreviewFillsItsHostIgnoresTheMouseAndEndsWhenTheHostGoes)
{
    HWND host = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 240, 200, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    ProgramRun run("/p " + std::to_string(reinterpret_cast<LONG_PTR>(host)));
    HWND preview = nullptr;
    for (int i = 0; i < 300 && preview == nullptr; ++i) {
        PumpFor(50);
        preview = FindWindowExA(host, nullptr, "VokFireworks", nullptr);
    }
    ASSERT_NE(preview, nullptr);
    RECT hostRect, previewRect;
    GetWindowRect(host, &hostRect);
    GetClientRect(preview, &previewRect);
    EXPECT_EQ(previewRect.right, hostRect.right - hostRect.left);
    PostMessageA(preview, WM_LBUTTONDOWN, 0, 0);
    for (int i = 0; i < 20; ++i) PostMessageA(preview, WM_MOUSEMOVE, 0, MAKELPARAM(i, i));
    PumpFor(1500);
    EXPECT_EQ(run.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
    DestroyWindow(host);
    EXPECT_EQ(run.WaitForExit(), 0u);
}

// The only run of the real program with a sky full of fireworks at the largest spark limit; a longer
// soak is FW_SOAK_SECONDS away.
TEST(Show, SoakAtTheLargestSparkLimitKeepsMemoryFlat)
{
    const char* requested = std::getenv("FW_SOAK_SECONDS");
    const DWORD seconds = requested != nullptr ? static_cast<DWORD>(std::atoi(requested)) : 8;
    PutDword("screensaver", "SparkLimit", 20000);
    ProgramRun run("/s");
    HWND window = run.WaitForWindow();
    ASSERT_NE(window, nullptr);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, run.ProcessId());
    ASSERT_NE(process, nullptr);
    for (int i = 0; i < 9; ++i) PostMessageA(window, WM_USER + 1, 9, 0);  // a sky full of fireworks
    PumpFor(seconds * 1000 / 3);
    SIZE_T early = PrivateBytes(process);
    PumpFor(seconds * 2000 / 3);
    SIZE_T late = PrivateBytes(process);
    EXPECT_LT(late, early + 4 * 1024 * 1024) << "early " << early << " late " << late;
    CloseHandle(process);
    PutDword("screensaver", "SparkLimit", 5000);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(run.WaitForExit(), 0u);
}
