// The setup program of build/dist, run silently as an administrator would: where the saver lands,
// what the registry says, the installed saver run as Screen Saver Settings runs it, and a silent
// uninstall that leaves nothing of it behind. Skips itself when the release was not built (no makensis).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "e2e/Driver.h"

namespace {
const char uninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\BrelkoraFireworks";
const char desktopKey[] = "Control Panel\\Desktop";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A string value, or "(none)" when the value or its key is missing.
std::string ReadString(HKEY root, const char* key, const char* name)
{
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    if (RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return "(none)";
    return value;
}

DWORD ReadNumber(HKEY root, const char* key, const char* name)
{
    DWORD value = 0, size = sizeof value;
    return RegGetValueA(root, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS ? value : 0;
}

std::string Folder(UINT(WINAPI* get)(LPSTR, UINT))
{
    char path[MAX_PATH] = "";
    get(path, MAX_PATH);
    return path;
}
}  // namespace

TEST(Installer, SilentInstallPutsTheSaverWhereWindowsListsItAndSilentUninstallTakesItAllAway)
{
#ifdef _WIN64
    GTEST_SKIP() << "the 32-bit build's tests run the 32-bit setup program";
#endif
    const std::string setup = std::string("Z:") + FW_DIST_DIR + "/BrelkoraFireworksSetup.exe";
    if (!Exists(setup)) GTEST_SKIP() << "no " << setup << " (makensis missing)";
    // From this 32-bit test, as from the setup program, the system folder is the redirected one on
    // 64-bit Windows; Sysnative names the real one that Screen Saver Settings reads.
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    const std::string systemName = Folder(GetSystemDirectoryA) + "\\fireworks.scr";  // what the registry names
    const std::string installed = Folder(GetWindowsDirectoryA) + (wow64 ? "\\Sysnative" : "\\System32") + "\\fireworks.scr";
    StoreSetting("screensaver", "Gravity", 700);  // a user's settings, which a silent uninstall keeps

    ProgramRun install(setup, "/S");
    ASSERT_EQ(install.WaitForExit(60000), 0u);
    EXPECT_TRUE(Exists(installed)) << installed;
    EXPECT_FALSE(wow64 && Exists(systemName)) << "the saver went to the redirected 32-bit folder";
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayName"), "Brelkora Fireworks");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayVersion"), "1.0");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, uninstallKey, "Publisher"), "Brelkora");
    EXPECT_EQ(lstrcmpiA(ReadString(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayIcon").c_str(), (systemName + ",0").c_str()), 0);
    EXPECT_GT(ReadNumber(HKEY_LOCAL_MACHINE, uninstallKey, "EstimatedSize"), 500u) << "kilobytes";
    EXPECT_EQ(lstrcmpiA(ReadString(HKEY_CURRENT_USER, desktopKey, "SCRNSAVE.EXE").c_str(), systemName.c_str()), 0);

    {
        ProgramRun saver(installed, "/s");
        HWND window = saver.WaitForWindow();
        ASSERT_NE(window, nullptr) << "the installed saver did not start";
        PumpFor(1000);
        PostMessageA(window, WM_KEYDOWN, 'A', 0);
        EXPECT_EQ(saver.WaitForExit(), 0u);
    }

    const std::string folder = ReadString(HKEY_LOCAL_MACHINE, uninstallKey, "InstallLocation");
    ProgramRun uninstall(folder + "\\Uninstall.exe", "/S");
    EXPECT_EQ(uninstall.WaitForExit(60000), 0u);
    // The uninstaller hands over to a copy of itself in the temporary folder, which removes its folder last.
    for (int i = 0; i < 300 && Exists(folder); ++i) Sleep(100);
    EXPECT_FALSE(Exists(folder)) << folder;
    EXPECT_FALSE(Exists(installed));
    EXPECT_FALSE(Exists(systemName));
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, uninstallKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, desktopKey, "SCRNSAVE.EXE"), "(none)");
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, "Software\\Brelkora\\Fireworks\\1.0\\screensaver", "Gravity"), 700u);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Brelkora\\Fireworks\\1.0\\screensaver");
}
