#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/ParseOption.h"
#include "settings/Settings.h"
#include "tests/MemoryStore.h"

namespace {
std::string fakeWindowsDirectory = "C:\\WINDOWS";

// Behaves like GetWindowsDirectoryA: the length copied, or the size needed when it does not fit.
uint32_t FakeWindowsDirectory(char* buffer, uint32_t capacity)
{
    uint32_t length = static_cast<uint32_t>(fakeWindowsDirectory.size());
    if (length + 1 > capacity) return length + 1;
    std::memcpy(buffer, fakeWindowsDirectory.c_str(), length + 1);
    return length;
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { fakeWindowsDirectory = "C:\\WINDOWS"; }
    void TearDown() override { EXPECT_EQ(store.openKeys, 0) << "a key was left open"; }

    MemoryStore store;
};

const char* const savedOrder[] = {"Gravity",  "Wind",     "Stereo",     "SoundEffects", "Music",    "MusicMode",
                                  "CDTrack",  "MIDIFile", "DrawMode",   "SparkLimit",   "FrameRate"};
}  // namespace

TEST_F(SettingsTest, FirstRunGetsEachModesDefaultsAndIsClean)
{
    Settings interactive(nullptr, Interactive, &store, FakeWindowsDirectory);
    EXPECT_EQ(interactive.Gravity, 980);
    EXPECT_EQ(interactive.Wind, 100);
    EXPECT_EQ(interactive.Stereo, 0);
    EXPECT_TRUE(interactive.SoundEffects);
    EXPECT_TRUE(interactive.Music);
    EXPECT_EQ(interactive.MusicMode, Settings::MidiFile);
    EXPECT_EQ(interactive.CDTrack, 1u);
    EXPECT_STREQ(interactive.MIDIFile, "C:\\WINDOWS\\Media\\canyon.mid");
    EXPECT_EQ(interactive.DrawMode, Settings::GDI);
    EXPECT_EQ(interactive.SparkLimit, 5000u);
    EXPECT_EQ(interactive.FrameRate, 50u);
    EXPECT_EQ(interactive.RunMode, Interactive);
    EXPECT_FALSE(interactive.Dirty) << "a first run stores nothing until something changes";

    int marker = 0;
    Settings saver(&marker, ScreenSaver, &store, FakeWindowsDirectory);
    EXPECT_FALSE(saver.SoundEffects);
    EXPECT_FALSE(saver.Music);
    EXPECT_STREQ(saver.MIDIFile, "C:\\WINDOWS\\Media\\canyon.mid");
    EXPECT_EQ(saver.Instance, &marker);
    EXPECT_EQ(saver.GetGravity(), 980);
    EXPECT_EQ(saver.GetWind(), 100);
    EXPECT_EQ(saver.GetFrameRate(), 50u);
    EXPECT_FALSE(saver.Dirty);
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(SettingsTest, DefaultMidiPathFollowsTheWindowsDirectory)
{
    fakeWindowsDirectory = "C:\\";
    Settings root(nullptr, Interactive, &store, FakeWindowsDirectory);
    EXPECT_STREQ(root.MIDIFile, "C:\\Media\\canyon.mid");

    // Unknown directory (and one too long for the buffer): no path, so interactive music is off too.
    fakeWindowsDirectory = "";
    Settings unknown(nullptr, Interactive, &store, FakeWindowsDirectory);
    EXPECT_STREQ(unknown.MIDIFile, "");
    EXPECT_FALSE(unknown.Music);
    EXPECT_TRUE(unknown.SoundEffects);

    fakeWindowsDirectory = "C:\\" + std::string(270, 'x');
    Settings tooLong(nullptr, Interactive, &store, FakeWindowsDirectory);
    EXPECT_STREQ(tooLong.MIDIFile, "");
    EXPECT_FALSE(tooLong.Music);

    Settings noSeam(nullptr, Interactive, &store, nullptr);
    EXPECT_STREQ(noSeam.MIDIFile, "");
    EXPECT_FALSE(noSeam.Music);
}

TEST_F(SettingsTest, DefaultGroupsResetOnlyTheirOwnFieldsAndMarkDirty)
{
    Settings s(nullptr, Interactive, &store, FakeWindowsDirectory);
    s.SetGravity(10);
    s.SetWind(-10);
    s.SetStereo(1);
    s.SetSoundEffects(false);
    s.SetMusic(false);
    s.SetMusicMode(Settings::CompactDisc);
    s.SetCDTrack(7);
    s.SetMIDIFile("D:\\x.mid");
    s.SetDrawMode(Settings::DirectDraw);
    s.SetSparkLimit(700);
    s.SetFrameRate(20);

    s.Dirty = false;
    s.SetSightsDefaults();
    EXPECT_TRUE(s.Dirty);
    EXPECT_EQ(s.Gravity, 980);
    EXPECT_EQ(s.Wind, 100);
    EXPECT_EQ(s.Stereo, 0);
    EXPECT_EQ(s.MusicMode, Settings::CompactDisc);
    EXPECT_EQ(s.SparkLimit, 700u);

    s.Dirty = false;
    s.SetSoundsDefaults();
    EXPECT_TRUE(s.Dirty);
    EXPECT_TRUE(s.SoundEffects);
    EXPECT_TRUE(s.Music);
    EXPECT_EQ(s.MusicMode, Settings::MidiFile);
    EXPECT_EQ(s.CDTrack, 1u);
    EXPECT_STREQ(s.MIDIFile, "C:\\WINDOWS\\Media\\canyon.mid");
    EXPECT_EQ(s.DrawMode, Settings::DirectDraw);

    s.Dirty = false;
    s.SetSpeedDefaults();
    EXPECT_TRUE(s.Dirty);
    EXPECT_EQ(s.DrawMode, Settings::GDI);
    EXPECT_EQ(s.SparkLimit, 5000u);
    EXPECT_EQ(s.FrameRate, 50u);

    Settings saver(nullptr, ScreenSaver, &store, FakeWindowsDirectory);
    saver.SetSoundEffects(true);
    saver.SetMusic(true);
    saver.SetSoundsDefaults();
    EXPECT_FALSE(saver.SoundEffects);
    EXPECT_FALSE(saver.Music) << "the screen saver is silent by default even with a known MIDI path";
}

TEST_F(SettingsTest, SettersMarkDirtyOnlyOnARealChange)
{
    Settings s(nullptr, Interactive, &store, FakeWindowsDirectory);
    ASSERT_FALSE(s.Dirty);
    struct Case {
        const char* name;
        void (*same)(Settings&);
        void (*other)(Settings&);
    };
    const Case cases[] = {
        {"Gravity", [](Settings& r) { r.SetGravity(980); }, [](Settings& r) { r.SetGravity(981); }},
        {"Wind", [](Settings& r) { r.SetWind(100); }, [](Settings& r) { r.SetWind(-100); }},
        {"Stereo", [](Settings& r) { r.SetStereo(0); }, [](Settings& r) { r.SetStereo(1); }},
        {"SoundEffects", [](Settings& r) { r.SetSoundEffects(true); }, [](Settings& r) { r.SetSoundEffects(false); }},
        {"Music", [](Settings& r) { r.SetMusic(true); }, [](Settings& r) { r.SetMusic(false); }},
        {"MusicMode", [](Settings& r) { r.SetMusicMode(2); }, [](Settings& r) { r.SetMusicMode(1); }},
        {"CDTrack", [](Settings& r) { r.SetCDTrack(1); }, [](Settings& r) { r.SetCDTrack(2); }},
        {"MIDIFile", [](Settings& r) { r.SetMIDIFile("C:\\WINDOWS\\Media\\canyon.mid"); },
         [](Settings& r) { r.SetMIDIFile("C:\\WINDOWS\\MEDIA\\canyon.mid"); }},
        {"DrawMode", [](Settings& r) { r.SetDrawMode(2); }, [](Settings& r) { r.SetDrawMode(1); }},
        {"SparkLimit", [](Settings& r) { r.SetSparkLimit(5000); }, [](Settings& r) { r.SetSparkLimit(5001); }},
        {"FrameRate", [](Settings& r) { r.SetFrameRate(50); }, [](Settings& r) { r.SetFrameRate(51); }},
    };
    for (const Case& c : cases) {
        s.Load();
        ASSERT_FALSE(s.Dirty);
        c.same(s);
        EXPECT_FALSE(s.Dirty) << c.name << " with the current value";
        c.other(s);
        EXPECT_TRUE(s.Dirty) << c.name << " with another value";
    }
    s.Load();
    s.SetMIDIFile("D:\\song.mid");
    EXPECT_STREQ(s.MIDIFile, "D:\\song.mid");
    s.Dirty = false;
    s.SetMIDIFile(s.MIDIFile);  // the very same storage
    EXPECT_FALSE(s.Dirty);
    EXPECT_STREQ(s.MIDIFile, "D:\\song.mid");
    s.SetMIDIFile(nullptr);
    EXPECT_TRUE(s.Dirty);
    EXPECT_STREQ(s.MIDIFile, "");
}

TEST_F(SettingsTest, SettersDoNotValidateButSaveDoes)
{
    Settings s(nullptr, Interactive, &store, FakeWindowsDirectory);
    s.SetGravity(5000);
    s.SetCDTrack(0);
    EXPECT_EQ(s.Gravity, 5000);
    EXPECT_EQ(s.CDTrack, 0u);
    ASSERT_TRUE(s.Save());
    EXPECT_EQ(s.Gravity, 1500);
    EXPECT_EQ(store.Dword("interactive", "Gravity"), 1500u);
    EXPECT_EQ(store.Dword("interactive", "CDTrack"), 1u);
}

TEST_F(SettingsTest, LoadCorrectsStoredValuesOutOfRange)
{
    struct Case {
        const char* name;
        uint32_t stored;
        uint32_t used;
        bool dirty;
    };
    const Case cases[] = {
        {"Gravity", 4294967291u, 0, true},     {"Gravity", 1501, 1500, true},
        {"Gravity", 0, 0, false},              {"Gravity", 1500, 1500, false},
        {"Wind", 900, 500, true},              {"Wind", static_cast<uint32_t>(-501), static_cast<uint32_t>(-500), true},
        {"Wind", static_cast<uint32_t>(-500), static_cast<uint32_t>(-500), false},
        {"Stereo", 2, 0, true},                {"Stereo", 1, 1, false},
        {"MusicMode", 0, 2, true},             {"MusicMode", 1, 1, false},
        {"CDTrack", 0, 1, true},               {"CDTrack", 4294967295u, 999, true},
        {"CDTrack", 999, 999, false},          {"DrawMode", 3, 2, true},
        {"DrawMode", 1, 1, false},             {"SparkLimit", 100, 500, true},
        {"SparkLimit", 4294966296u, 20000, true}, {"SparkLimit", 20000, 20000, false},
        {"FrameRate", 5, 10, false},           {"FrameRate", 101, 100, false},
        {"FrameRate", 4294967295u, 100, false},
    };
    for (const Case& c : cases) {
        MemoryStore fresh;
        fresh.PutDword("interactive", c.name, c.stored);
        Settings s(nullptr, Interactive, &fresh, FakeWindowsDirectory);
        uint32_t used = 0;
        if (std::strcmp(c.name, "Gravity") == 0) used = static_cast<uint32_t>(s.Gravity);
        if (std::strcmp(c.name, "Wind") == 0) used = static_cast<uint32_t>(s.Wind);
        if (std::strcmp(c.name, "Stereo") == 0) used = static_cast<uint32_t>(s.Stereo);
        if (std::strcmp(c.name, "MusicMode") == 0) used = static_cast<uint32_t>(s.MusicMode);
        if (std::strcmp(c.name, "CDTrack") == 0) used = s.CDTrack;
        if (std::strcmp(c.name, "DrawMode") == 0) used = static_cast<uint32_t>(s.DrawMode);
        if (std::strcmp(c.name, "SparkLimit") == 0) used = s.SparkLimit;
        if (std::strcmp(c.name, "FrameRate") == 0) used = s.FrameRate;
        EXPECT_EQ(used, c.used) << c.name << " stored as " << c.stored;
        EXPECT_EQ(s.Dirty, c.dirty) << c.name << " stored as " << c.stored;
    }
}

TEST_F(SettingsTest, ACorrectedValueIsWrittenBackButAClampedFrameRateIsNot)
{
    store.PutDword("interactive", "Gravity", static_cast<uint32_t>(-5));
    {
        Settings s(nullptr, Interactive, &store, FakeWindowsDirectory);
        EXPECT_EQ(s.Gravity, 0);
        EXPECT_TRUE(s.SaveIfDirty());
    }
    EXPECT_EQ(store.Dword("interactive", "Gravity"), 0u);
    EXPECT_EQ(store.writes.size(), 11u);

    MemoryStore rates;
    rates.PutDword("interactive", "FrameRate", 5);
    {
        Settings s(nullptr, Interactive, &rates, FakeWindowsDirectory);
        EXPECT_EQ(s.FrameRate, 10u);
        EXPECT_TRUE(s.SaveIfDirty());
        EXPECT_TRUE(rates.writes.empty());
        EXPECT_EQ(rates.Dword("interactive", "FrameRate"), 5u);
        s.SetGravity(600);  // some other change causes a save, which stores the rate as used
        EXPECT_TRUE(s.SaveIfDirty());
    }
    EXPECT_EQ(rates.Dword("interactive", "FrameRate"), 10u);
}

TEST_F(SettingsTest, ValuesOfTheWrongTypeOrSizeAreIgnored)
{
    store.PutRaw("interactive", "Gravity", StoredString, std::string("980\0", 4));
    store.PutRaw("interactive", "Wind", 5 /* big-endian dword */, std::string("\0\0\0\x07", 4));
    store.PutRaw("interactive", "Stereo", 3 /* binary */, std::string("\x01\0\0\0", 4));
    store.PutRaw("interactive", "CDTrack", 11 /* qword */, std::string("\x05\0\0\0\0\0\0\0", 8));
    store.PutRaw("interactive", "SparkLimit", StoredDword, std::string("\x10\x27", 2));  // short dword
    store.PutDword("interactive", "MusicMode", 1);
    store.PutDword("interactive", "SoundEffects", 7);
    store.PutDword("interactive", "Music", 0);
    Settings s(nullptr, Interactive, &store, FakeWindowsDirectory);
    EXPECT_EQ(s.Gravity, 980);
    EXPECT_EQ(s.Wind, 100);
    EXPECT_EQ(s.Stereo, 0);
    EXPECT_EQ(s.CDTrack, 1u);
    EXPECT_EQ(s.SparkLimit, 5000u);
    EXPECT_EQ(s.MusicMode, Settings::CompactDisc);
    EXPECT_TRUE(s.SoundEffects);
    EXPECT_FALSE(s.Music);
    EXPECT_FALSE(s.Dirty);
    EXPECT_TRUE(s.SaveIfDirty());
    EXPECT_EQ(store.Dword("interactive", "SoundEffects"), 7u) << "stays as stored until the next save";
    s.SetGravity(700);
    EXPECT_TRUE(s.SaveIfDirty());
    EXPECT_EQ(store.Dword("interactive", "SoundEffects"), 1u);
}

TEST_F(SettingsTest, MidiFileValueRules)
{
    const std::string defaultPath = "C:\\WINDOWS\\Media\\canyon.mid";
    struct Case {
        const char* what;
        uint32_t type;
        std::string bytes;
        std::string expected;
    };
    const std::string chars260(260, 'm');
    const Case cases[] = {
        {"261 bytes with the NUL", StoredString, chars260 + '\0', chars260},
        {"262 bytes with the NUL", StoredString, chars260 + "m" + '\0', defaultPath},
        {"260 characters without a NUL", StoredString, chars260, chars260},
        {"261 characters without a NUL", StoredString, chars260 + "m", defaultPath},
        {"a short string without a NUL", StoredString, "D:\\a.mid", "D:\\a.mid"},
        {"zero bytes", StoredString, "", ""},
        {"only the NUL", StoredString, std::string(1, '\0'), ""},
        {"an embedded NUL", StoredString, std::string("D:\\a.mid\0junk", 13), "D:\\a.mid"},
        {"an expandable string", 2, std::string("%WINDIR%\\x.mid\0", 15), defaultPath},
        {"a dword", StoredDword, std::string("\x01\0\0\0", 4), defaultPath},
    };
    for (const Case& c : cases) {
        MemoryStore fresh;
        fresh.PutRaw("interactive", "MIDIFile", c.type, c.bytes);
        Settings s(nullptr, Interactive, &fresh, FakeWindowsDirectory);
        EXPECT_EQ(std::string(s.MIDIFile), c.expected) << c.what;
        EXPECT_FALSE(s.Dirty) << c.what;
    }
    Settings missing(nullptr, Interactive, &store, FakeWindowsDirectory);
    EXPECT_EQ(std::string(missing.MIDIFile), defaultPath);
}

TEST_F(SettingsTest, SaveWritesElevenValuesInOrderThenFlushes)
{
    Settings s(nullptr, Interactive, &store, FakeWindowsDirectory);
    s.SetWind(-120);
    s.SetMIDIFile("");
    ASSERT_TRUE(s.Save());
    EXPECT_FALSE(s.Dirty);
    ASSERT_EQ(store.writes.size(), 11u);
    for (size_t i = 0; i < 11; ++i) EXPECT_EQ(store.writes[i], savedOrder[i]);
    EXPECT_EQ(store.flushes, 1);
    EXPECT_EQ(store.Raw("interactive", "MIDIFile"), std::string(1, '\0')) << "the empty path is one byte";
    EXPECT_EQ(store.keys["interactive"]["MIDIFile"].type, StoredString);
    EXPECT_EQ(store.keys["interactive"]["Wind"].type, StoredDword);
    EXPECT_EQ(store.Dword("interactive", "Wind"), static_cast<uint32_t>(-120));
    EXPECT_EQ(store.Dword("interactive", "SoundEffects"), 1u);
    EXPECT_EQ(store.Dword("interactive", "FrameRate"), 50u);
    EXPECT_EQ(store.keys.count("screensaver"), 0u) << "the other mode's key is never opened";

    // A clean record does not touch the store at all.
    int opens = store.opens;
    EXPECT_TRUE(s.Save());
    EXPECT_TRUE(s.SaveIfDirty());
    EXPECT_EQ(store.opens, opens);
    EXPECT_EQ(store.writes.size(), 11u);
}

TEST_F(SettingsTest, AFailedWriteStopsTheSaveAndKeepsTheRecordDirty)
{
    Settings s(nullptr, Interactive, &store, FakeWindowsDirectory);
    s.SetGravity(500);
    s.SetFrameRate(70);
    store.failWritesAfter = 3;
    EXPECT_FALSE(s.Save());
    EXPECT_TRUE(s.Dirty);
    EXPECT_EQ(store.writes, (std::vector<std::string>{"Gravity", "Wind", "Stereo"}));
    EXPECT_EQ(store.flushes, 0);
    EXPECT_FALSE(store.Has("interactive", "FrameRate"));

    store.failWritesAfter = -1;
    EXPECT_TRUE(s.SaveIfDirty()) << "the next discard tries again";
    EXPECT_EQ(store.Dword("interactive", "FrameRate"), 70u);
    EXPECT_EQ(store.flushes, 1);
}

TEST_F(SettingsTest, WithoutAKeyTheRecordKeepsDefaultsAndStaysDirty)
{
    store.unreachable = true;
    Settings s(nullptr, Interactive, &store, FakeWindowsDirectory);
    EXPECT_TRUE(s.Dirty);
    EXPECT_EQ(s.Gravity, 980);
    EXPECT_FALSE(s.Save());
    EXPECT_TRUE(s.Dirty);

    MemoryStore reachable;
    Settings otherMode(nullptr, 3, &reachable, FakeWindowsDirectory);
    EXPECT_TRUE(otherMode.Dirty);
    EXPECT_FALSE(otherMode.SoundEffects);
    EXPECT_FALSE(otherMode.SaveIfDirty());
    EXPECT_TRUE(reachable.keys.empty());

    Settings noStore(nullptr, Interactive, nullptr, FakeWindowsDirectory);
    EXPECT_TRUE(noStore.Dirty);
    EXPECT_FALSE(noStore.Save());
}

TEST_F(SettingsTest, EachModeRoundTripsThroughItsOwnKey)
{
    {
        Settings s(nullptr, ScreenSaver, &store, FakeWindowsDirectory);
        s.SetGravity(1234);
        s.SetWind(-321);
        s.SetStereo(1);
        s.SetSoundEffects(true);
        s.SetMusic(true);
        s.SetMusicMode(Settings::CompactDisc);
        s.SetCDTrack(12);
        s.SetMIDIFile("E:\\tunes\\Night.mid");
        s.SetDrawMode(Settings::DirectDraw);
        s.SetSparkLimit(12345);
        s.SetFrameRate(75);
        ASSERT_TRUE(s.SaveIfDirty());
    }
    EXPECT_EQ(store.keys.count("interactive"), 0u);
    Settings back(nullptr, ScreenSaver, &store, FakeWindowsDirectory);
    EXPECT_FALSE(back.Dirty);
    EXPECT_EQ(back.Gravity, 1234);
    EXPECT_EQ(back.Wind, -321);
    EXPECT_EQ(back.Stereo, 1);
    EXPECT_TRUE(back.SoundEffects);
    EXPECT_TRUE(back.Music);
    EXPECT_EQ(back.MusicMode, Settings::CompactDisc);
    EXPECT_EQ(back.CDTrack, 12u);
    EXPECT_STREQ(back.MIDIFile, "E:\\tunes\\Night.mid");
    EXPECT_EQ(back.DrawMode, Settings::DirectDraw);
    EXPECT_EQ(back.SparkLimit, 12345u);
    EXPECT_EQ(back.FrameRate, 75u);

    Settings interactive(nullptr, Interactive, &store, FakeWindowsDirectory);
    EXPECT_EQ(interactive.Gravity, 980) << "the interactive record does not see the screen saver's values";

    // Reloading discards unsaved edits.
    back.SetGravity(1);
    back.SetMIDIFile("x");
    EXPECT_TRUE(back.Load());
    EXPECT_EQ(back.Gravity, 1234);
    EXPECT_STREQ(back.MIDIFile, "E:\\tunes\\Night.mid");
    EXPECT_FALSE(back.Dirty);
}
