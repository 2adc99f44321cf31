// Settings records against the real registry: each test starts with both mode keys deleted. The rules
// themselves are covered against an in-memory store; these check that the registry keeps to them.
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

TEST_F(RegistryStoreTest, FirstLoadCreatesTheKeyButStoresNothing)
{
    Settings s(nullptr, Interactive);
    EXPECT_EQ(ValueCount("interactive"), 0);
    EXPECT_EQ(ValueCount("screensaver"), -1);
    EXPECT_FALSE(s.IsDirty());
    EXPECT_STREQ(s.GetMIDIFile(), DefaultMidiPath().c_str());
    EXPECT_TRUE(s.SaveIfDirty());
    EXPECT_EQ(ValueCount("interactive"), 0) << "a clean record writes nothing";
    EXPECT_EQ(OpenSettingsKey(3), nullptr);
}

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
        EXPECT_EQ(back.GetGravity(), 1499);
        EXPECT_EQ(back.GetWind(), -499);
        EXPECT_EQ(back.GetSoundEffects(), mode == ScreenSaver);
        EXPECT_EQ(back.GetCDTrack(), 998u);
        EXPECT_STREQ(back.GetMIDIFile(), path);
        EXPECT_EQ(back.GetSparkLimit(), 19999u);
        EXPECT_EQ(back.GetFrameRate(), mode == Interactive ? 30u : 99u);
        EXPECT_STREQ(back.GetScriptFile(), path);
        EXPECT_EQ(back.GetScriptUse(), 2u);
    }
    EXPECT_EQ(GetDword("screensaver", "FrameRate"), 99u) << "the interactive save left the other key alone";
}

TEST_F(RegistryStoreTest, WrongTypesAreIgnoredAndCorrectionsWrittenBackOnDiscard)
{
    ASSERT_TRUE(PutRaw("interactive", "Gravity", REG_SZ, "700", 4));
    DWORD bigEndian = 0x07000000;
    ASSERT_TRUE(PutRaw("interactive", "Wind", REG_DWORD_BIG_ENDIAN, &bigEndian, 4));
    unsigned long long wide = 3;
    ASSERT_TRUE(PutRaw("interactive", "MusicMode", REG_QWORD, &wide, 8));
    ASSERT_TRUE(PutDword("interactive", "FrameRate", 5));
    {
        Settings s(nullptr, Interactive);
        EXPECT_EQ(s.GetGravity(), 980);
        EXPECT_EQ(s.GetWind(), 100);
        EXPECT_EQ(s.GetMusicMode(), Settings::MidiFile);
        EXPECT_EQ(s.GetFrameRate(), 10u);
        EXPECT_FALSE(s.IsDirty()) << "a clamped frame rate alone is not written back";
    }
    DWORD type = REG_NONE;
    EXPECT_EQ(GetRaw("interactive", "Gravity", &type), std::string("700", 4));
    EXPECT_EQ(GetDword("interactive", "FrameRate"), 5u);

    ASSERT_TRUE(PutDword("interactive", "CDTrack", 4294967295u));
    {
        Settings s(nullptr, Interactive);
        EXPECT_EQ(s.GetCDTrack(), 999u);
        EXPECT_TRUE(s.IsDirty());
        EXPECT_EQ(GetDword("interactive", "CDTrack"), 4294967295u) << "nothing is written before the discard";
        EXPECT_TRUE(s.SaveIfDirty());
    }
    EXPECT_EQ(GetDword("interactive", "CDTrack"), 999u);
    EXPECT_EQ(GetDword("interactive", "FrameRate"), 10u);
    EXPECT_EQ(GetDword("interactive", "Gravity"), 980u);
}

TEST_F(RegistryStoreTest, MidiFileSizeAndTerminatorRules)
{
    const std::string path260(260, 'p'), path261(261, 'p');
    struct Case {
        DWORD type;
        std::string bytes, expected;
    };
    const Case cases[] = {
        {REG_SZ, path260 + '\0', path260},            // 261 bytes with the NUL fit
        {REG_SZ, path261 + '\0', DefaultMidiPath()},  // 262 do not
        {REG_SZ, "D:\\x.mid", "D:\\x.mid"},           // stored without its NUL
        {REG_EXPAND_SZ, std::string("%WINDIR%\\a.mid", 15), DefaultMidiPath()},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(PutRaw("interactive", "MIDIFile", c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size())));
        Settings s(nullptr, Interactive);
        EXPECT_EQ(std::string(s.GetMIDIFile()), c.expected) << c.bytes.size() << " bytes of type " << c.type;
        EXPECT_FALSE(s.IsDirty());
    }

    DeleteModeKey("interactive");
    {
        Settings s(nullptr, Interactive);
        s.SetMIDIFile("");
        ASSERT_TRUE(s.SaveIfDirty());
    }
    DWORD type = REG_NONE;
    EXPECT_EQ(GetRaw("interactive", "MIDIFile", &type), std::string(1, '\0')) << "the empty path is one byte";
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    Settings back(nullptr, Interactive);
    EXPECT_STREQ(back.GetMIDIFile(), "");
}
