#include "settings/Settings.h"

#include <cstring>
#include <new>

#include "settings/RunMode.h"

namespace {
const char defaultMidiTail[] = "\\Media\\canyon.mid";
const uint32_t windowsDirectoryCapacity = 261;

// Keeps a value within [low, high] and reports whether it had to move.
template <typename T>
bool Clamp(T& value, T low, T high)
{
    if (value < low) {
        value = low;
        return true;
    }
    if (value > high) {
        value = high;
        return true;
    }
    return false;
}

// The field becomes `replacement` unless it is one of the two legal values.
bool OneOf(int32_t& value, int32_t first, int32_t second, int32_t replacement)
{
    if (value == first || value == second) return false;
    value = replacement;
    return true;
}

template <typename T>
void Change(T& field, T value, bool& dirty)
{
    if (field == value) return;
    field = value;
    dirty = true;
}

// An owned string field takes a copy of `value` (none counts as empty) unless it is the same storage or
// equal to it. False when no memory was left for the copy; the field is then unchanged.
bool ChangeString(char*& field, const char* value, bool& dirty)
{
    if (value == nullptr) value = "";
    if (value == field) return true;
    if (field != nullptr && std::strcmp(field, value) == 0) return true;
    size_t size = std::strlen(value) + 1;
    char* copy = new (std::nothrow) char[size];
    if (copy == nullptr) return false;
    std::memcpy(copy, value, size);
    delete[] field;
    field = copy;
    dirty = true;
    return true;
}
}  // namespace

Settings::Settings(void* instance, int32_t runMode, SettingsStore* store_, WindowsDirectoryQuery windowsDirectory_)
    : Gravity(0),
      Wind(0),
      Stereo(0),
      SoundEffects(false),
      Music(false),
      MusicMode(0),
      CDTrack(0),
      MIDIFile(nullptr),
      DrawMode(0),
      SparkLimit(0),
      FrameRate(0),
      ScriptFile(nullptr),
      ScriptUse(0),
      Instance(instance),
      RunMode(runMode),
      Dirty(true),
      store(store_),
      windowsDirectory(windowsDirectory_)
{
    Load();
}

Settings::~Settings()
{
    delete[] MIDIFile;
    MIDIFile = nullptr;
    delete[] ScriptFile;
    ScriptFile = nullptr;
}

bool Settings::SaveIfDirty() { return Dirty ? Save() : true; }

void Settings::SetSightsDefaults()
{
    Gravity = 980;
    Wind = 100;
    Stereo = 0;
    Dirty = true;
}

void Settings::SetSoundsDefaults()
{
    SoundEffects = RunMode == Interactive;
    MusicMode = MidiFile;
    CDTrack = 1;

    // The default music is the MIDI file every Windows installation ships. A drive root already ends
    // in a backslash; an unknown (or absurdly long) directory gives no path, and then no music.
    char path[windowsDirectoryCapacity + sizeof(defaultMidiTail)];
    uint32_t length = windowsDirectory != nullptr ? windowsDirectory(path, windowsDirectoryCapacity) : 0;
    if (length == 0 || length >= windowsDirectoryCapacity) {
        path[0] = '\0';
    } else {
        if (path[length - 1] == '\\') --length;
        std::memcpy(path + length, defaultMidiTail, sizeof(defaultMidiTail));
    }
    SetMIDIFile(path);

    Music = RunMode == Interactive && path[0] != '\0';
    Dirty = true;
}

void Settings::SetSpeedDefaults()
{
    DrawMode = GDI;
    SparkLimit = 5000;
    FrameRate = 50;
    Dirty = true;
}

void Settings::SetFireworksDefaults()
{
    SetScriptFile("");
    ScriptUse = BuiltInFireworks;
    Dirty = true;
}

void Settings::SetAllDefaults()
{
    SetSightsDefaults();
    SetSoundsDefaults();
    SetSpeedDefaults();
    SetFireworksDefaults();
}

void Settings::Validate()
{
    bool corrected = false;
    corrected |= Clamp<int32_t>(Gravity, 0, 1500);
    corrected |= Clamp<int32_t>(Wind, -500, 500);
    corrected |= OneOf(Stereo, 0, 1, 0);
    corrected |= OneOf(MusicMode, CompactDisc, MidiFile, MidiFile);
    corrected |= Clamp<uint32_t>(CDTrack, 1, 999);
    corrected |= OneOf(DrawMode, DirectDraw, GDI, GDI);
    corrected |= Clamp<uint32_t>(SparkLimit, 500, 20000);
    if (ScriptUse > AllFireworks) {
        ScriptUse = BuiltInFireworks;
        corrected = true;
    }
    if (corrected) Dirty = true;
    // The frame rate is only used clamped: correcting it alone does not cause a write.
    Clamp<uint32_t>(FrameRate, 10, 100);
}

void Settings::SetGravity(int32_t value) { Change(Gravity, value, Dirty); }
void Settings::SetWind(int32_t value) { Change(Wind, value, Dirty); }
void Settings::SetStereo(int32_t value) { Change(Stereo, value, Dirty); }
void Settings::SetSoundEffects(bool value) { Change(SoundEffects, value, Dirty); }
void Settings::SetMusic(bool value) { Change(Music, value, Dirty); }
void Settings::SetMusicMode(int32_t value) { Change(MusicMode, value, Dirty); }
void Settings::SetCDTrack(uint32_t value) { Change(CDTrack, value, Dirty); }
void Settings::SetDrawMode(int32_t value) { Change(DrawMode, value, Dirty); }
void Settings::SetSparkLimit(uint32_t value) { Change(SparkLimit, value, Dirty); }
void Settings::SetFrameRate(uint32_t value) { Change(FrameRate, value, Dirty); }
void Settings::SetScriptUse(uint32_t value) { Change(ScriptUse, value, Dirty); }
bool Settings::SetMIDIFile(const char* path) { return ChangeString(MIDIFile, path, Dirty); }
bool Settings::SetScriptFile(const char* path) { return ChangeString(ScriptFile, path, Dirty); }
