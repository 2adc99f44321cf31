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

// The fields that hold numbers and flags, in stored order, with their interactive defaults and a legal
// value other than those.
const std::vector<SettingId> numericFields = {
    SettingId::Gravity,   SettingId::Wind,    SettingId::Stereo,   SettingId::SoundEffects, SettingId::Music,
    SettingId::MusicMode, SettingId::CDTrack, SettingId::DrawMode, SettingId::SparkLimit,   SettingId::FrameRate,
    SettingId::ScriptUse};
const int64_t defaults[] = {980, 100, 0, 1, 1, Settings::MidiFile, 1, Settings::GDI, 5000, 50, 0};
const int64_t editedValues[] = {981, -100, 1, 0, 0, Settings::CompactDisc, 2, Settings::DirectDraw, 5001, 51, 2};

void EditEveryField(Settings& s)
{
    for (size_t i = 0; i < numericFields.size(); ++i) s.SetValue(numericFields[i], editedValues[i]);
    s.SetMIDIFile("C:\\WINDOWS\\MEDIA\\canyon.mid");  // differs from the default in letter case only
    s.SetScriptFile("D:\\mine.txt");
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { fakeWindowsDirectory = "C:\\WINDOWS"; }
    void TearDown() override { EXPECT_EQ(store.openKeys, 0) << "a key was left open"; }
    MemoryStore store;
};
}  // namespace

// Values of the wrong type or size count as not stored.
TEST_F(SettingsTest, FirstRunGetsEachModesDefaultsAndIsClean)
{
    store.PutRaw("interactive", "Gravity", StoredString, std::string("1200\0", 5));
    store.PutRaw("interactive", "Wind", 5 /* big-endian dword */, std::string("\0\0\0\x07", 4));
    store.PutRaw("interactive", "SparkLimit", StoredDword, std::string("\x10\x27", 2));
    Settings s(nullptr, Interactive, &store, FakeDir);
    for (size_t i = 0; i < numericFields.size(); ++i) EXPECT_EQ(s.Value(numericFields[i]), defaults[i]) << i;
    EXPECT_FALSE(s.IsDirty()) << "a first run stores nothing until something changes";

    Settings saver(nullptr, ScreenSaver, &store, FakeDir);
    EXPECT_FALSE(saver.GetSoundEffects() || saver.GetMusic()) << "the screen saver is silent by default";

    // The MIDI path follows the Windows directory; with none known there is no path and no music.
    const std::pair<std::string, const char*> directories[] = {
        {"C:\\", "C:\\Media\\canyon.mid"}, {"", ""}, {"C:\\" + std::string(270, 'x'), ""}};
    for (const auto& d : directories) {
        fakeWindowsDirectory = d.first;
        Settings other(nullptr, Interactive, &store, FakeDir);
        EXPECT_STREQ(other.GetMIDIFile(), d.second);
        EXPECT_EQ(other.GetMusic(), d.second[0] != '\0') << d.first;
    }
}

TEST_F(SettingsTest, DefaultGroupsResetOnlyTheirOwnFieldsAndMarkDirty)
{
    const size_t firstOfGroup[] = {0, 3, 7, 10, 11};  // in numericFields; MIDIFile is a sound, ScriptFile a firework
    for (size_t g = 0; g < 4; ++g) {
        Settings s(nullptr, Interactive, &store, FakeDir);
        EditEveryField(s);
        ASSERT_TRUE(s.Save());
        s.SetDefaults(static_cast<SettingGroup>(g));
        EXPECT_TRUE(s.IsDirty());
        for (size_t i = 0; i < numericFields.size(); ++i) {
            bool inGroup = i >= firstOfGroup[g] && i < firstOfGroup[g + 1];
            EXPECT_EQ(s.Value(numericFields[i]) == defaults[i], inGroup) << "group " << g << ", field " << i;
        }
        EXPECT_EQ(std::string(s.GetMIDIFile()) == defaultMidi, g == 1) << "group " << g;
        EXPECT_EQ(std::string(s.GetScriptFile()).empty(), g == 3) << "group " << g;
    }
}

TEST_F(SettingsTest, SettersMarkDirtyOnlyOnARealChangeAndSavingValidates)
{
    Settings s(nullptr, Interactive, &store, FakeDir);
    for (size_t i = 0; i < numericFields.size(); ++i) {
        s.Load();
        s.SetValue(numericFields[i], s.Value(numericFields[i]));
        EXPECT_FALSE(s.IsDirty()) << "field " << i << " with the current value";
        s.SetValue(numericFields[i], editedValues[i]);
        EXPECT_TRUE(s.IsDirty()) << "field " << i << " with another value";
    }
    s.Load();
    s.SetMIDIFile(s.GetMIDIFile());  // the very same storage
    s.SetMIDIFile(std::string(defaultMidi).c_str());
    EXPECT_FALSE(s.IsDirty());
    s.SetMIDIFile(nullptr);
    EXPECT_STREQ(s.GetMIDIFile(), "");

    s.SetGravity(5000);
    ASSERT_TRUE(s.Save());
    EXPECT_EQ(store.Dword("interactive", "Gravity"), 1500u) << "saving validates";
}

TEST_F(SettingsTest, LoadCorrectsStoredValuesOutOfRange)
{
    struct Case {
        SettingId id;
        uint32_t stored, used;
        bool dirty;
    };
    typedef SettingId Id;
    const Case cases[] = {
        {Id::Gravity, static_cast<uint32_t>(-5), 0, true}, {Id::Gravity, 1501, 1500, true},
        {Id::Gravity, 1500, 1500, false},                  {Id::Wind, 900, 500, true},
        {Id::Gravity, 0x000101F4u, 1500, true},  // bytes 2 and 3 differ: 66036, not 500
        {Id::Wind, static_cast<uint32_t>(-501), static_cast<uint32_t>(-500), true},
        {Id::Stereo, 2, 0, true},                          {Id::MusicMode, 0, 2, true},
        {Id::CDTrack, 0, 1, true},                         {Id::CDTrack, 4294967295u, 999, true},
        {Id::DrawMode, 3, 2, true},                        {Id::SparkLimit, 100, 500, true},
        {Id::SparkLimit, 4294966296u, 20000, true},        {Id::ScriptUse, 3, 0, true},
        // A rate out of range is used clamped but not stored again on its own account.
        {Id::FrameRate, 5, 10, false},                     {Id::FrameRate, 4294967295u, 100, false},
    };
    for (const Case& c : cases) {
        const char* name = FieldOf(c.id).name;
        MemoryStore fresh;
        fresh.PutDword("interactive", name, c.stored);
        Settings s(nullptr, Interactive, &fresh, FakeDir);
        EXPECT_EQ(static_cast<uint32_t>(s.Value(c.id)), c.used) << name << " stored as " << c.stored;
        EXPECT_EQ(s.IsDirty(), c.dirty) << name << " stored as " << c.stored;
        s.SetSoundEffects(false);  // any change saves the value as used
        EXPECT_TRUE(s.Save());
        EXPECT_EQ(fresh.Dword("interactive", name), c.used) << name << " written back";
    }
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
        EXPECT_EQ(std::string(s.GetMIDIFile()), c.expected) << c.bytes.size() << " bytes of type " << c.type;
        EXPECT_EQ(std::string(s.GetScriptFile()), c.expected == defaultMidi ? "" : c.expected) << c.bytes.size();
        EXPECT_FALSE(s.IsDirty());
    }
}

TEST_F(SettingsTest, SaveWritesEveryValueAndEachModeReadsThemBackFromItsOwnKey)
{
    Settings s(nullptr, Interactive, &store, FakeDir);
    EditEveryField(s);
    s.SetMIDIFile("");
    store.failWritesAfter = 3;
    EXPECT_FALSE(s.Save());
    EXPECT_TRUE(s.IsDirty());
    EXPECT_EQ(store.flushes, 0) << "a failed write stops the save";
    store.failWritesAfter = -1;
    ASSERT_TRUE(s.SaveIfDirty()) << "the next discard tries again";
    EXPECT_EQ(store.flushes, 1);
    EXPECT_EQ(store.keys["interactive"]["MIDIFile"].bytes, std::string(1, '\0')) << "the empty path is one NUL";

    Settings back(nullptr, Interactive, &store, FakeDir);
    EXPECT_FALSE(back.IsDirty());
    for (size_t i = 0; i < numericFields.size(); ++i) EXPECT_EQ(back.Value(numericFields[i]), editedValues[i]) << i;
    EXPECT_STREQ(back.GetMIDIFile(), "");
    EXPECT_STREQ(back.GetScriptFile(), "D:\\mine.txt");
    Settings saver(nullptr, ScreenSaver, &store, FakeDir);
    EXPECT_EQ(saver.GetGravity(), 980) << "the screen saver's record does not see the interactive values";

    // No key (a run mode the store has none for, no store at all): defaults, dirty, nothing saved.
    Settings noKey(nullptr, 3, &store, FakeDir);
    Settings noStore(nullptr, Interactive, nullptr, FakeDir);
    for (Settings* r : {&noKey, &noStore}) {
        EXPECT_EQ(r->GetGravity(), 980);
        EXPECT_FALSE(r->SaveIfDirty());
        EXPECT_TRUE(r->IsDirty());
    }
}
