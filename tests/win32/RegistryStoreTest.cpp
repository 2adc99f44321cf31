// Settings records against the real registry. The rules themselves (ranges, types, path sizes) are
// covered against an in-memory store that answers like the registry; this checks that the registry
// does answer so, and that a record lands in its own mode's key.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "settings/RunMode.h"
#include "settings/Settings.h"
#include "settings/win32/RegistryStore.h"
#include "tests/SettingsRegistry.h"

using namespace settings_registry;

TEST(RegistryStore, ValuesTooBigForTheirBufferAreIgnoredAndARecordLandsInItsModesKey)
{
    DeleteModeKey("interactive");
    DeleteModeKey("screensaver");
    unsigned long long wide = Settings::CompactDisc;  // legal, so only ignoring it gives the default
    ASSERT_TRUE(PutRaw("interactive", "MusicMode", REG_QWORD, &wide, 8));
    const std::string path261(261, 'p');  // 262 bytes with the NUL: one more than the buffer holds
    ASSERT_TRUE(PutRaw("interactive", "MIDIFile", REG_SZ, path261.c_str(), 262));
    Settings s(nullptr, Interactive);
    EXPECT_EQ(s.GetMusicMode(), Settings::MidiFile);
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof(windows));
    EXPECT_EQ(std::string(s.GetMIDIFile()), std::string(windows) + "\\Media\\canyon.mid");
    s.SetWind(-499);
    ASSERT_TRUE(s.SaveIfDirty());
    EXPECT_EQ(GetDword("interactive", "Wind"), static_cast<uint32_t>(-499));
    EXPECT_EQ(GetDword("screensaver", "Wind"), 0xDEADBEEFu) << "the other mode's record is untouched";
    DeleteModeKey("interactive");
}
