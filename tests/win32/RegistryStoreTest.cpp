// Settings records against the real registry: each test starts with both mode keys deleted.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/ParseOption.h"
#include "settings/RegistryStore.h"
#include "settings/Settings.h"
#include "tests/SettingsRegistry.h"

using namespace settings_registry;

namespace {
class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteModeKey("interactive");
        DeleteModeKey("screensaver");
        ASSERT_FALSE(ModeKeyExists("interactive"));
        ASSERT_FALSE(ModeKeyExists("screensaver"));
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
    EXPECT_TRUE(ModeKeyExists("interactive"));
    EXPECT_EQ(ValueCount("interactive"), 0);
    EXPECT_FALSE(ModeKeyExists("screensaver"));
    EXPECT_FALSE(s.Dirty);
    EXPECT_STREQ(s.MIDIFile, DefaultMidiPath().c_str());
    EXPECT_TRUE(s.Music);
    EXPECT_TRUE(s.SaveIfDirty());
    EXPECT_EQ(ValueCount("interactive"), 0) << "a clean record writes nothing";

    HKEY other = OpenSettingsKey(3);
    EXPECT_EQ(other, nullptr);
}

TEST_F(RegistryStoreTest, EachModeReadsAndWritesOnlyItsOwnKey)
{
    ASSERT_TRUE(PutDword("interactive", "Gravity", 700));
    {
        Settings saver(nullptr, ScreenSaver);
        EXPECT_EQ(saver.Gravity, 980);
        EXPECT_FALSE(saver.SoundEffects);
        saver.SetWind(-250);
        ASSERT_TRUE(saver.SaveIfDirty());
    }
    EXPECT_EQ(ValueCount("screensaver"), 11);
    EXPECT_EQ(GetDword("screensaver", "Wind"), static_cast<uint32_t>(-250));
    EXPECT_EQ(ValueCount("interactive"), 1);
    EXPECT_EQ(GetDword("interactive", "Gravity"), 700u);

    {
        Settings interactive(nullptr, Interactive);
        EXPECT_EQ(interactive.Gravity, 700);
        EXPECT_EQ(interactive.Wind, 100);
        interactive.SetFrameRate(30);
        ASSERT_TRUE(interactive.SaveIfDirty());
    }
    EXPECT_EQ(GetDword("screensaver", "FrameRate"), 50u);
    EXPECT_EQ(GetDword("interactive", "FrameRate"), 30u);
}

TEST_F(RegistryStoreTest, NumbersOfTheWrongTypeAreIgnored)
{
    ASSERT_TRUE(PutString("interactive", "Gravity", "700"));
    DWORD bigEndian = 0x07000000;
    ASSERT_TRUE(PutRaw("interactive", "Wind", REG_DWORD_BIG_ENDIAN, &bigEndian, 4));
    unsigned long long wide = 3;
    ASSERT_TRUE(PutRaw("interactive", "MusicMode", REG_QWORD, &wide, 8));
    Settings s(nullptr, Interactive);
    EXPECT_EQ(s.Gravity, 980);
    EXPECT_EQ(s.Wind, 100);
    EXPECT_EQ(s.MusicMode, Settings::MidiFile);
    EXPECT_FALSE(s.Dirty);
    EXPECT_EQ(GetRaw("interactive", "Gravity").type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistryStoreTest, ACorrectedNumberIsWrittenBackOnDiscard)
{
    ASSERT_TRUE(PutDword("interactive", "Gravity", 4294967291u));
    {
        Settings s(nullptr, Interactive);
        EXPECT_EQ(s.Gravity, 0);
        EXPECT_TRUE(s.Dirty);
        EXPECT_EQ(GetDword("interactive", "Gravity"), 4294967291u);
        EXPECT_TRUE(s.SaveIfDirty());
    }
    EXPECT_EQ(GetDword("interactive", "Gravity"), 0u);
    EXPECT_EQ(ValueCount("interactive"), 11);
}

TEST_F(RegistryStoreTest, NonZeroFlagReadsTrueAndIsNormalisedOnlyByTheNextWrite)
{
    ASSERT_TRUE(PutDword("screensaver", "SoundEffects", 7));
    Settings s(nullptr, ScreenSaver);
    EXPECT_TRUE(s.SoundEffects);
    EXPECT_TRUE(s.SaveIfDirty());
    EXPECT_EQ(GetDword("screensaver", "SoundEffects"), 7u);
    s.SetStereo(1);
    EXPECT_TRUE(s.SaveIfDirty());
    EXPECT_EQ(GetDword("screensaver", "SoundEffects"), 1u);
}

TEST_F(RegistryStoreTest, MidiFileSizeAndTerminatorRules)
{
    const std::string path260(260, 'p');
    ASSERT_TRUE(PutString("interactive", "MIDIFile", path260));  // 261 bytes with the NUL
    {
        Settings s(nullptr, Interactive);
        EXPECT_EQ(std::string(s.MIDIFile), path260);
    }
    ASSERT_TRUE(PutString("interactive", "MIDIFile", path260 + "q"));  // 262 bytes
    {
        Settings s(nullptr, Interactive);
        EXPECT_EQ(std::string(s.MIDIFile), DefaultMidiPath());
        EXPECT_FALSE(s.Dirty);
    }
    ASSERT_TRUE(PutRaw("interactive", "MIDIFile", REG_SZ, "D:\\x.mid", 8));  // stored without its NUL
    {
        Settings s(nullptr, Interactive);
        EXPECT_STREQ(s.MIDIFile, "D:\\x.mid");
    }
    ASSERT_TRUE(PutRaw("interactive", "MIDIFile", REG_SZ, "", 0));
    {
        Settings s(nullptr, Interactive);
        EXPECT_STREQ(s.MIDIFile, "");
    }
    ASSERT_TRUE(PutRaw("interactive", "MIDIFile", REG_EXPAND_SZ, "%WINDIR%\\a.mid", 15));
    {
        Settings s(nullptr, Interactive);
        EXPECT_EQ(std::string(s.MIDIFile), DefaultMidiPath());
    }
}

TEST_F(RegistryStoreTest, EmptyMidiFileIsWrittenAsOneByte)
{
    {
        Settings s(nullptr, Interactive);
        s.SetMIDIFile("");
        ASSERT_TRUE(s.SaveIfDirty());
    }
    RawValue v = GetRaw("interactive", "MIDIFile");
    ASSERT_TRUE(v.found);
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(v.bytes, std::string(1, '\0'));
    Settings back(nullptr, Interactive);
    EXPECT_STREQ(back.MIDIFile, "");
}

TEST_F(RegistryStoreTest, StoredNumbersOutOfRangeAreCorrected)
{
    ASSERT_TRUE(PutDword("interactive", "CDTrack", 4294967295u));
    ASSERT_TRUE(PutDword("interactive", "SparkLimit", 100));
    {
        Settings s(nullptr, Interactive);
        EXPECT_EQ(s.CDTrack, 999u);
        EXPECT_EQ(s.SparkLimit, 500u);
        EXPECT_TRUE(s.SaveIfDirty());
    }
    EXPECT_EQ(GetDword("interactive", "CDTrack"), 999u);
    EXPECT_EQ(GetDword("interactive", "SparkLimit"), 500u);

    DeleteModeKey("interactive");
    ASSERT_TRUE(PutDword("interactive", "SparkLimit", static_cast<uint32_t>(-3)));
    ASSERT_TRUE(PutDword("interactive", "FrameRate", 5));
    {
        Settings s(nullptr, Interactive);
        EXPECT_EQ(s.SparkLimit, 20000u);
        EXPECT_EQ(s.FrameRate, 10u);
    }
    DeleteModeKey("interactive");
    ASSERT_TRUE(PutDword("interactive", "FrameRate", 5));
    {
        Settings s(nullptr, Interactive);
        EXPECT_EQ(s.FrameRate, 10u);
        EXPECT_FALSE(s.Dirty);
        EXPECT_TRUE(s.SaveIfDirty());
    }
    EXPECT_EQ(GetDword("interactive", "FrameRate"), 5u);
    EXPECT_EQ(ValueCount("interactive"), 1);
}

TEST_F(RegistryStoreTest, EveryFieldRoundTripsInBothModes)
{
    const int32_t modes[] = {Interactive, ScreenSaver};
    for (int32_t mode : modes) {
        {
            Settings s(nullptr, mode);
            s.SetGravity(1499);
            s.SetWind(-499);
            s.SetStereo(1);
            s.SetSoundEffects(mode == ScreenSaver);
            s.SetMusic(mode == ScreenSaver);
            s.SetMusicMode(Settings::CompactDisc);
            s.SetCDTrack(998);
            s.SetMIDIFile(mode == Interactive ? "C:\\a b\\Tune.mid" : "D:\\other.midi");
            s.SetDrawMode(Settings::DirectDraw);
            s.SetSparkLimit(19999);
            s.SetFrameRate(99);
            ASSERT_TRUE(s.SaveIfDirty());
            EXPECT_FALSE(s.Dirty);
        }
        const char* name = mode == Interactive ? "interactive" : "screensaver";
        EXPECT_EQ(ValueCount(name), 11);
        EXPECT_EQ(GetDword(name, "Music"), mode == ScreenSaver ? 1u : 0u);
        Settings back(nullptr, mode);
        EXPECT_FALSE(back.Dirty);
        EXPECT_EQ(back.Gravity, 1499);
        EXPECT_EQ(back.Wind, -499);
        EXPECT_EQ(back.Stereo, 1);
        EXPECT_EQ(back.SoundEffects, mode == ScreenSaver);
        EXPECT_EQ(back.Music, mode == ScreenSaver);
        EXPECT_EQ(back.MusicMode, Settings::CompactDisc);
        EXPECT_EQ(back.CDTrack, 998u);
        EXPECT_STREQ(back.MIDIFile, mode == Interactive ? "C:\\a b\\Tune.mid" : "D:\\other.midi");
        EXPECT_EQ(back.DrawMode, Settings::DirectDraw);
        EXPECT_EQ(back.SparkLimit, 19999u);
        EXPECT_EQ(back.FrameRate, 99u);
    }
}
