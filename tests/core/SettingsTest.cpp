#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings/RunMode.h"
#include "settings/Settings.h"
#include "tests/MemoryStore.h"

namespace {
std::string fakeWindowsDirectory;

// Behaves like GetWindowsDirectoryA: the length copied, or the size needed when it does not fit.
uint32_t FakeDir(char* buffer, uint32_t capacity)
{
    uint32_t length = static_cast<uint32_t>(fakeWindowsDirectory.size());
    if (length + 1 > capacity) return length + 1;
    std::memcpy(buffer, fakeWindowsDirectory.c_str(), length + 1);
    return length;
}

const char defaultMidi[] = "C:\\WINDOWS\\Media\\canyon.mid";

const char* const numericFields[] = {"Gravity", "Wind",     "Stereo",     "SoundEffects", "Music",    "MusicMode",
                                    "CDTrack", "DrawMode", "SparkLimit", "FrameRate",    "ScriptUse"};
const int numericCount = 11;

// Each setter with the interactive default, then with another value.
typedef void (*Edit)(Settings&);
const std::pair<Edit, Edit> setters[] = {
    {[](Settings& r) { r.SetGravity(980); }, [](Settings& r) { r.SetGravity(981); }},
    {[](Settings& r) { r.SetWind(100); }, [](Settings& r) { r.SetWind(-100); }},
    {[](Settings& r) { r.SetStereo(0); }, [](Settings& r) { r.SetStereo(1); }},
    {[](Settings& r) { r.SetSoundEffects(true); }, [](Settings& r) { r.SetSoundEffects(false); }},
    {[](Settings& r) { r.SetMusic(true); }, [](Settings& r) { r.SetMusic(false); }},
    {[](Settings& r) { r.SetMusicMode(2); }, [](Settings& r) { r.SetMusicMode(1); }},
    {[](Settings& r) { r.SetCDTrack(1); }, [](Settings& r) { r.SetCDTrack(2); }},
    {[](Settings& r) { r.SetMIDIFile(defaultMidi); },
     [](Settings& r) { r.SetMIDIFile("C:\\WINDOWS\\MEDIA\\canyon.mid"); }},
    {[](Settings& r) { r.SetDrawMode(2); }, [](Settings& r) { r.SetDrawMode(1); }},
    {[](Settings& r) { r.SetSparkLimit(5000); }, [](Settings& r) { r.SetSparkLimit(5001); }},
    {[](Settings& r) { r.SetFrameRate(50); }, [](Settings& r) { r.SetFrameRate(51); }},
    {[](Settings& r) { r.SetScriptUse(0); }, [](Settings& r) { r.SetScriptUse(2); }},
    {[](Settings& r) { r.SetScriptFile(""); }, [](Settings& r) { r.SetScriptFile("D:\\mine.txt"); }},
};

// A numeric field by its stored name, as the stored 32 bits.
uint32_t Field(const Settings& s, const std::string& name)
{
    if (name == "Gravity") return static_cast<uint32_t>(s.Gravity);
    if (name == "Wind") return static_cast<uint32_t>(s.Wind);
    if (name == "Stereo") return static_cast<uint32_t>(s.Stereo);
    if (name == "SoundEffects") return s.SoundEffects ? 1u : 0u;
    if (name == "Music") return s.Music ? 1u : 0u;
    if (name == "MusicMode") return static_cast<uint32_t>(s.MusicMode);
    if (name == "CDTrack") return s.CDTrack;
    if (name == "DrawMode") return static_cast<uint32_t>(s.DrawMode);
    if (name == "SparkLimit") return s.SparkLimit;
    if (name == "ScriptUse") return s.ScriptUse;
    return s.FrameRate;
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { fakeWindowsDirectory = "C:\\WINDOWS"; }
    void TearDown() override { EXPECT_EQ(store.openKeys, 0) << "a key was left open"; }
    MemoryStore store;
};
}  // namespace

TEST_F(SettingsTest, FirstRunGetsEachModesDefaultsAndIsClean)
{
    Settings s(nullptr, Interactive, &store, FakeDir);
    const uint32_t defaults[] = {980, 100, 0, 1, 1, Settings::MidiFile, 1, Settings::GDI, 5000, 50, 0};
    for (int i = 0; i < numericCount; ++i) EXPECT_EQ(Field(s, numericFields[i]), defaults[i]) << numericFields[i];
    EXPECT_STREQ(s.MIDIFile, defaultMidi);
    EXPECT_STREQ(s.ScriptFile, "");
    EXPECT_FALSE(s.Dirty) << "a first run stores nothing until something changes";

    int marker = 0;
    Settings saver(&marker, ScreenSaver, &store, FakeDir);
    EXPECT_FALSE(saver.SoundEffects);
    EXPECT_FALSE(saver.Music);
    EXPECT_STREQ(saver.MIDIFile, defaultMidi);
    EXPECT_EQ(saver.Instance, &marker);
    EXPECT_EQ(saver.RunMode, ScreenSaver);
    EXPECT_FALSE(saver.Dirty);
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(SettingsTest, DefaultMidiPathFollowsTheWindowsDirectory)
{
    fakeWindowsDirectory = "C:\\";
    Settings root(nullptr, Interactive, &store, FakeDir);
    EXPECT_STREQ(root.MIDIFile, "C:\\Media\\canyon.mid");

    // Unknown, too long for the buffer, or no way to ask: no path, so interactive music is off too.
    const std::string unknown[] = {"", "C:\\" + std::string(270, 'x')};
    for (const std::string& directory : unknown) {
        fakeWindowsDirectory = directory;
        Settings s(nullptr, Interactive, &store, FakeDir);
        EXPECT_STREQ(s.MIDIFile, "");
        EXPECT_FALSE(s.Music);
        EXPECT_TRUE(s.SoundEffects);
    }
    Settings noQuery(nullptr, Interactive, &store, nullptr);
    EXPECT_STREQ(noQuery.MIDIFile, "");
    EXPECT_FALSE(noQuery.Music);
}

TEST_F(SettingsTest, DefaultGroupsResetOnlyTheirOwnFieldsAndMarkDirty)
{
    void (Settings::*const groups[])() = {&Settings::SetSightsDefaults, &Settings::SetSoundsDefaults,
                                          &Settings::SetSpeedDefaults, &Settings::SetFireworksDefaults};
    const int firstOfGroup[] = {0, 3, 7, 10, 11};  // in numericFields; MIDIFile is a sound, ScriptFile a firework
    for (int g = 0; g < 4; ++g) {
        Settings s(nullptr, Interactive, &store, FakeDir);
        uint32_t defaults[numericCount];
        for (int i = 0; i < numericCount; ++i) defaults[i] = Field(s, numericFields[i]);
        for (const auto& setter : setters) setter.second(s);
        s.Dirty = false;
        (s.*groups[g])();
        EXPECT_TRUE(s.Dirty);
        for (int i = 0; i < numericCount; ++i) {
            bool inGroup = i >= firstOfGroup[g] && i < firstOfGroup[g + 1];
            EXPECT_EQ(Field(s, numericFields[i]) == defaults[i], inGroup) << "group " << g << ", " << numericFields[i];
        }
        EXPECT_EQ(std::string(s.MIDIFile) == defaultMidi, g == 1) << "group " << g;
        EXPECT_EQ(std::string(s.ScriptFile).empty(), g == 3) << "group " << g;
    }

    Settings saver(nullptr, ScreenSaver, &store, FakeDir);
    saver.SetSoundEffects(true);
    saver.SetMusic(true);
    saver.SetSoundsDefaults();
    EXPECT_FALSE(saver.SoundEffects);
    EXPECT_FALSE(saver.Music) << "the screen saver is silent by default even with a known MIDI path";
}

TEST_F(SettingsTest, SettersMarkDirtyOnlyOnARealChangeAndDoNotValidate)
{
    Settings s(nullptr, Interactive, &store, FakeDir);
    for (size_t i = 0; i < sizeof(setters) / sizeof(setters[0]); ++i) {
        s.Load();
        setters[i].first(s);
        EXPECT_FALSE(s.Dirty) << "setter " << i << " with the current value";
        setters[i].second(s);
        EXPECT_TRUE(s.Dirty) << "setter " << i << " with another value";
    }
    s.SetMIDIFile("D:\\song.mid");
    s.Dirty = false;
    s.SetMIDIFile(s.MIDIFile);  // the very same storage
    EXPECT_FALSE(s.Dirty);
    EXPECT_STREQ(s.MIDIFile, "D:\\song.mid");
    s.SetMIDIFile(nullptr);
    EXPECT_TRUE(s.Dirty);
    EXPECT_STREQ(s.MIDIFile, "");

    s.SetGravity(5000);
    s.SetCDTrack(0);
    EXPECT_EQ(s.Gravity, 5000) << "setters store as given";
    ASSERT_TRUE(s.Save());
    EXPECT_EQ(store.Dword("interactive", "Gravity"), 1500u) << "saving validates";
    EXPECT_EQ(store.Dword("interactive", "CDTrack"), 1u);
}

TEST_F(SettingsTest, LoadCorrectsStoredValuesOutOfRange)
{
    struct Case {
        const char* name;
        uint32_t stored, used;
        bool dirty;
    };
    const Case cases[] = {
        {"Gravity", static_cast<uint32_t>(-5), 0, true}, {"Gravity", 1501, 1500, true},
        {"Gravity", 1500, 1500, false},                  {"Wind", 900, 500, true},
        {"Wind", static_cast<uint32_t>(-501), static_cast<uint32_t>(-500), true},
        {"Stereo", 2, 0, true},                          {"MusicMode", 0, 2, true},
        {"CDTrack", 0, 1, true},                         {"CDTrack", 4294967295u, 999, true},
        {"DrawMode", 3, 2, true},                        {"SparkLimit", 100, 500, true},
        {"SparkLimit", 4294966296u, 20000, true},        {"SparkLimit", 20000, 20000, false},
        // A rate out of range is used clamped but not stored again on its own account.
        {"FrameRate", 5, 10, false},                     {"FrameRate", 4294967295u, 100, false},
        {"ScriptUse", 3, 0, true},                       {"ScriptUse", 2, 2, false},
    };
    for (const Case& c : cases) {
        MemoryStore fresh;
        fresh.PutDword("interactive", c.name, c.stored);
        Settings s(nullptr, Interactive, &fresh, FakeDir);
        EXPECT_EQ(Field(s, c.name), c.used) << c.name << " stored as " << c.stored;
        EXPECT_EQ(s.Dirty, c.dirty) << c.name << " stored as " << c.stored;
        EXPECT_TRUE(s.SaveIfDirty());
        EXPECT_EQ(fresh.writes.size(), c.dirty ? 13u : 0u) << c.name;
        if (c.dirty) {
            EXPECT_EQ(fresh.Dword("interactive", c.name), c.used) << "written back";
        }
    }

    store.PutDword("interactive", "FrameRate", 5);
    Settings s(nullptr, Interactive, &store, FakeDir);
    s.SetGravity(600);  // some other change causes a save, which stores the rate as used
    EXPECT_TRUE(s.SaveIfDirty());
    EXPECT_EQ(store.Dword("interactive", "FrameRate"), 10u);
}

TEST_F(SettingsTest, ValuesOfTheWrongTypeOrSizeAreIgnored)
{
    store.PutRaw("interactive", "Gravity", StoredString, std::string("980\0", 4));
    store.PutRaw("interactive", "Wind", 5 /* big-endian dword */, std::string("\0\0\0\x07", 4));
    store.PutRaw("interactive", "CDTrack", 11 /* qword */, std::string("\x05\0\0\0\0\0\0\0", 8));
    store.PutRaw("interactive", "SparkLimit", StoredDword, std::string("\x10\x27", 2));  // short dword
    store.PutDword("interactive", "MusicMode", 1);
    store.PutDword("interactive", "SoundEffects", 7);
    Settings s(nullptr, Interactive, &store, FakeDir);
    EXPECT_EQ(s.Gravity, 980);
    EXPECT_EQ(s.Wind, 100);
    EXPECT_EQ(s.CDTrack, 1u);
    EXPECT_EQ(s.SparkLimit, 5000u);
    EXPECT_EQ(s.MusicMode, Settings::CompactDisc) << "good values beside bad ones still count";
    EXPECT_TRUE(s.SoundEffects) << "any non-zero flag is true";
    EXPECT_FALSE(s.Dirty);
    EXPECT_TRUE(s.SaveIfDirty());
    EXPECT_EQ(store.Dword("interactive", "SoundEffects"), 7u) << "stays as stored until the next save";
    s.SetGravity(700);
    EXPECT_TRUE(s.SaveIfDirty());
    EXPECT_EQ(store.Dword("interactive", "SoundEffects"), 1u);
}

TEST_F(SettingsTest, PathValueRules)
{
    struct Case {
        uint32_t type;
        std::string bytes, expected;
    };
    const std::string chars260(260, 'm');
    const Case cases[] = {
        {StoredString, chars260 + '\0', chars260},             // 261 bytes with the NUL fit
        {StoredString, chars260 + "m" + '\0', defaultMidi},    // 262 do not
        {StoredString, chars260, chars260},                    // no NUL, 260 characters
        {StoredString, chars260 + "m", defaultMidi},           // no NUL, 261 characters
        {StoredString, "", ""},
        {StoredString, std::string("D:\\a.mid\0junk", 13), "D:\\a.mid"},
        {2 /* expandable */, std::string("%WINDIR%\\x.mid\0", 15), defaultMidi},
        {StoredDword, std::string("\x01\0\0\0", 4), defaultMidi},
    };
    // The file of fireworks follows the same rules, with the empty path as its default.
    for (const Case& c : cases) {
        MemoryStore fresh;
        fresh.PutRaw("interactive", "MIDIFile", c.type, c.bytes);
        fresh.PutRaw("interactive", "ScriptFile", c.type, c.bytes);
        Settings s(nullptr, Interactive, &fresh, FakeDir);
        EXPECT_EQ(std::string(s.MIDIFile), c.expected) << c.bytes.size() << " bytes of type " << c.type;
        EXPECT_EQ(std::string(s.ScriptFile), c.expected == defaultMidi ? "" : c.expected) << c.bytes.size();
        EXPECT_FALSE(s.Dirty);
    }
}

TEST_F(SettingsTest, SaveWritesThirteenValuesInOrderThenFlushes)
{
    Settings s(nullptr, Interactive, &store, FakeDir);
    s.SetWind(-120);
    s.SetMIDIFile("");
    ASSERT_TRUE(s.Save());
    EXPECT_FALSE(s.Dirty);
    EXPECT_EQ(store.writes, (std::vector<std::string>{"Gravity", "Wind", "Stereo", "SoundEffects", "Music",
                                                      "MusicMode", "CDTrack", "MIDIFile", "DrawMode",
                                                      "SparkLimit", "FrameRate", "ScriptFile", "ScriptUse"}));
    EXPECT_EQ(store.flushes, 1);
    EXPECT_EQ(store.keys["interactive"]["MIDIFile"].type, StoredString);
    EXPECT_EQ(store.keys["interactive"]["MIDIFile"].bytes, std::vector<unsigned char>(1, 0))
        << "the empty path is one NUL";
    EXPECT_EQ(store.keys["interactive"]["Wind"].type, StoredDword);
    EXPECT_EQ(store.Dword("interactive", "Wind"), static_cast<uint32_t>(-120));
    EXPECT_EQ(store.keys.count("screensaver"), 0u) << "the other mode's key is never opened";

    int opens = store.opens;
    EXPECT_TRUE(s.Save());
    EXPECT_TRUE(s.SaveIfDirty());
    EXPECT_EQ(store.opens, opens) << "a clean record does not touch the store";
}

TEST_F(SettingsTest, StoreFailuresKeepTheRecordDirty)
{
    Settings s(nullptr, Interactive, &store, FakeDir);
    s.SetFrameRate(70);
    store.failWritesAfter = 3;
    EXPECT_FALSE(s.Save());
    EXPECT_TRUE(s.Dirty);
    EXPECT_EQ(store.writes.size(), 3u) << "a failed write stops the save";
    EXPECT_EQ(store.flushes, 0);
    store.failWritesAfter = -1;
    EXPECT_TRUE(s.SaveIfDirty()) << "the next discard tries again";
    EXPECT_EQ(store.Dword("interactive", "FrameRate"), 70u);

    // No key (store unreachable, an unknown run mode, no store at all): defaults, dirty, nothing saved.
    MemoryStore unreachable;
    unreachable.unreachable = true;
    Settings noKey(nullptr, Interactive, &unreachable, FakeDir);
    Settings otherMode(nullptr, 3, &store, FakeDir);
    Settings noStore(nullptr, Interactive, nullptr, FakeDir);
    for (Settings* r : {&noKey, &otherMode, &noStore}) {
        EXPECT_TRUE(r->Dirty);
        EXPECT_EQ(r->Gravity, 980);
        EXPECT_FALSE(r->Save());
        EXPECT_FALSE(r->SaveIfDirty());
        EXPECT_TRUE(r->Dirty);
    }
    EXPECT_EQ(store.keys.size(), 1u) << "only the interactive key exists";
}

TEST_F(SettingsTest, EachModeRoundTripsThroughItsOwnKey)
{
    uint32_t edited[numericCount];
    {
        Settings s(nullptr, ScreenSaver, &store, FakeDir);
        s.SetAllDefaults();
        for (const auto& setter : setters) setter.second(s);
        for (int i = 0; i < numericCount; ++i) edited[i] = Field(s, numericFields[i]);
        ASSERT_TRUE(s.SaveIfDirty());
    }
    Settings back(nullptr, ScreenSaver, &store, FakeDir);
    EXPECT_FALSE(back.Dirty);
    for (int i = 0; i < numericCount; ++i) EXPECT_EQ(Field(back, numericFields[i]), edited[i]) << numericFields[i];
    EXPECT_STREQ(back.MIDIFile, "C:\\WINDOWS\\MEDIA\\canyon.mid");
    EXPECT_STREQ(back.ScriptFile, "D:\\mine.txt");

    Settings interactive(nullptr, Interactive, &store, FakeDir);
    EXPECT_EQ(interactive.Gravity, 980) << "the interactive record does not see the screen saver's values";

    back.SetGravity(1);
    back.SetMIDIFile("x");
    EXPECT_TRUE(back.Load()) << "reloading discards unsaved edits";
    EXPECT_EQ(back.Gravity, 981);
    EXPECT_STREQ(back.MIDIFile, "C:\\WINDOWS\\MEDIA\\canyon.mid");
    EXPECT_FALSE(back.Dirty);
}
