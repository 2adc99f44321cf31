// Settings records against the real registry: each test starts with both mode keys deleted. The rules
// themselves (ranges, types, path sizes) are covered against an in-memory store that answers like the
// registry; these check that the registry keeps to them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "settings/RunMode.h"
#include "settings/Settings.h"
#include "settings/win32/RegistryStore.h"
#include "tests/SettingsRegistry.h"

using namespace settings_registry;

namespace {
class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TearDown();
        ASSERT_EQ(ValueCount("interactive"), -1);
        ASSERT_EQ(ValueCount("screensaver"), -1);
    }
    void TearDown() override
    {
        DeleteModeKey("interactive");
        DeleteModeKey("screensaver");
    }
};
}  // namespace

TEST_F(RegistryStoreTest, EveryFieldRoundTripsInItsOwnModesKey)
{
    ASSERT_TRUE(PutDword("interactive", "Gravity", 700));
    for (int32_t mode : {ScreenSaver, Interactive}) {
        const char* name = mode == Interactive ? "interactive" : "screensaver";
        const char* path = mode == Interactive ? "C:\\a b\\Tune.mid" : "D:\\other.midi";
        {
            Settings s(nullptr, mode);
            EXPECT_EQ(s.GetGravity(), mode == Interactive ? 700 : 980);
            s.SetGravity(1499);
            s.SetWind(-499);
            s.SetStereo(1);
            s.SetSoundEffects(mode == ScreenSaver);
            s.SetMusic(mode == ScreenSaver);
            s.SetMusicMode(Settings::CompactDisc);
            s.SetCDTrack(998);
            s.SetMIDIFile(path);
            s.SetDrawMode(Settings::DirectDraw);
            s.SetSparkLimit(19999);
            s.SetFrameRate(mode == Interactive ? 30 : 99);
            s.SetScriptFile(path);
            s.SetScriptUse(Settings::AllFireworks);
            ASSERT_TRUE(s.SaveIfDirty());
        }
        EXPECT_EQ(ValueCount(name), 13);
        EXPECT_EQ(GetDword(name, "Wind"), static_cast<uint32_t>(-499));
        EXPECT_EQ(GetDword(name, "Music"), mode == ScreenSaver ? 1u : 0u);
        Settings back(nullptr, mode);
        EXPECT_FALSE(back.IsDirty());
        EXPECT_EQ(back.GetWind(), -499);
        EXPECT_EQ(back.GetFrameRate(), mode == Interactive ? 30u : 99u);
        EXPECT_STREQ(back.GetScriptFile(), path);
    }
    EXPECT_EQ(GetDword("screensaver", "FrameRate"), 99u) << "the interactive save left the other key alone";
}

TEST_F(RegistryStoreTest, WrongTypesAndOverlongPathsAreIgnoredAndCorrectionsWrittenBackOnDiscard)
{
    ASSERT_TRUE(PutRaw("interactive", "Gravity", REG_SZ, "700", 4));
    DWORD bigEndian = 0x07000000;
    ASSERT_TRUE(PutRaw("interactive", "Wind", REG_DWORD_BIG_ENDIAN, &bigEndian, 4));
    unsigned long long wide = 3;
    ASSERT_TRUE(PutRaw("interactive", "MusicMode", REG_QWORD, &wide, 8));
    const std::string path261(261, 'p');  // 262 bytes with the NUL: one more than the buffer holds
    ASSERT_TRUE(PutRaw("interactive", "MIDIFile", REG_SZ, path261.c_str(), 262));
    ASSERT_TRUE(PutDword("interactive", "CDTrack", 4294967295u));
    {
        Settings s(nullptr, Interactive);
        EXPECT_EQ(s.GetGravity(), 980);
        EXPECT_EQ(s.GetWind(), 100);
        EXPECT_EQ(s.GetMusicMode(), Settings::MidiFile);
        EXPECT_EQ(std::string(s.GetMIDIFile()), DefaultMidiPath());
        EXPECT_EQ(s.GetCDTrack(), 999u);
        EXPECT_EQ(GetDword("interactive", "CDTrack"), 4294967295u) << "nothing is written before the discard";
        EXPECT_TRUE(s.SaveIfDirty());
    }
    EXPECT_EQ(GetDword("interactive", "CDTrack"), 999u);
    EXPECT_EQ(GetDword("interactive", "Gravity"), 980u);
}
