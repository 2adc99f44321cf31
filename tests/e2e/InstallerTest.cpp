// The setup program of build/dist run silently: where the saver lands, what the registry says, and a
// silent uninstall that leaves nothing of it behind. Skips itself when the release was not built (no
// makensis).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/Driver.h"

namespace {
const char uninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\BrelkoraFireworks";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A text value in lower case, "(none)" when it or its key is missing.
std::string Read(HKEY root, const char* key, const char* name)
{
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    if (RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return "(none)";
    return CharLowerA(value);
}
}  // namespace

TEST(Installer, SilentInstallPutsTheSaverWhereWindowsListsItAndSilentUninstallTakesItAllAway)
{
    const std::string setup = std::string("Z:") + FW_DIST_DIR + "/BrelkoraFireworksSetup.exe";
    if (sizeof(void*) != 4 || !Exists(setup)) GTEST_SKIP() << "no " << setup << " for this 32-bit test";
    // Seen from this 32-bit test, as from the setup program, System32 is the redirected folder on
    // 64-bit Windows; Sysnative names the real one, which Screen Saver Settings reads.
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    char windows[MAX_PATH] = "", system[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string named = CharLowerA(system) + std::string("\\fireworks.scr");  // as the registry names it
    const std::string installed = std::string(windows) + (wow64 ? "\\Sysnative" : "\\System32") + "\\fireworks.scr";
    PutDword("screensaver", "Gravity", 700);  // a user's settings, which a silent uninstall keeps

    ProgramRun install("/S", setup);
    ASSERT_EQ(install.WaitForExit(60000), 0u);
    EXPECT_TRUE(Exists(installed));
    EXPECT_FALSE(wow64 && Exists(named)) << "the saver went to the redirected 32-bit folder";
    // Listed under Programs and Features, and chosen as the screen saver.
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayName"), "brelkora fireworks");
    EXPECT_EQ(Read(HKEY_CURRENT_USER, "Control Panel\\Desktop", "SCRNSAVE.EXE"), named);

    const std::string folder = Read(HKEY_LOCAL_MACHINE, uninstallKey, "InstallLocation");
    ProgramRun uninstall("/S", folder + "\\uninstall.exe");
    EXPECT_EQ(uninstall.WaitForExit(60000), 0u);
    // It hands over to a copy of itself in the temporary folder, which removes the program's folder last.
    for (int i = 0; i < 300 && Exists(folder); ++i) Sleep(100);
    EXPECT_FALSE(Exists(folder) || Exists(installed) || Exists(named));
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayName"), "(none)");
    EXPECT_EQ(Read(HKEY_CURRENT_USER, "Control Panel\\Desktop", "SCRNSAVE.EXE"), "(none)");
    EXPECT_EQ(settings_registry::GetDword("screensaver", "Gravity"), 700u);
    settings_registry::DeleteModeKey("screensaver");
}
