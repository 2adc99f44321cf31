// Reading and writing a Settings record through its store. Values are read and written in one fixed
// order; stored values are never trusted, so every load ends with Validate.
#include <cstring>

#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "settings/StoredValues.h"

namespace {
uint32_t Flag(bool value) { return value ? 1u : 0u; }

bool WriteDword(SettingsStore& store, SettingsStore::Key key, const char* name, uint32_t value)
{
    unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                              static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    return store.SetValue(key, name, StoredDword, bytes, sizeof(bytes));
}

// Strings are stored with their terminating NUL, so even the empty string is one byte.
bool WriteString(SettingsStore& store, SettingsStore::Key key, const char* name, const char* value)
{
    if (value == nullptr) value = "";
    return store.SetValue(key, name, StoredString, value, static_cast<uint32_t>(std::strlen(value) + 1));
}
}  // namespace

bool Settings::Load()
{
    SetAllDefaults();
    bool loaded = false;
    SettingsStore::Key key = store != nullptr ? store->OpenModeKey(RunMode) : nullptr;
    if (key != nullptr) {
        SettingsStore& s = *store;
        Gravity = static_cast<int32_t>(ReadDwordValue(s, key, "Gravity", static_cast<uint32_t>(Gravity)));
        Wind = static_cast<int32_t>(ReadDwordValue(s, key, "Wind", static_cast<uint32_t>(Wind)));
        Stereo = static_cast<int32_t>(ReadDwordValue(s, key, "Stereo", static_cast<uint32_t>(Stereo)));
        SoundEffects = ReadDwordValue(s, key, "SoundEffects", Flag(SoundEffects)) != 0;
        Music = ReadDwordValue(s, key, "Music", Flag(Music)) != 0;
        MusicMode = static_cast<int32_t>(ReadDwordValue(s, key, "MusicMode", static_cast<uint32_t>(MusicMode)));
        CDTrack = ReadDwordValue(s, key, "CDTrack", CDTrack);
        // A missing or unreadable path keeps the default one, like every other missing value.
        char path[StoredPathCapacity];
        if (ReadStringValue(s, key, "MIDIFile", path, sizeof(path))) SetMIDIFile(path);
        DrawMode = static_cast<int32_t>(ReadDwordValue(s, key, "DrawMode", static_cast<uint32_t>(DrawMode)));
        SparkLimit = ReadDwordValue(s, key, "SparkLimit", SparkLimit);
        FrameRate = ReadDwordValue(s, key, "FrameRate", FrameRate);
        // Records stored before these two existed load unchanged: their defaults stay.
        if (ReadStringValue(s, key, "ScriptFile", path, sizeof(path))) SetScriptFile(path);
        ScriptUse = ReadDwordValue(s, key, "ScriptUse", ScriptUse);
        Dirty = false;
        loaded = true;
        store->CloseKey(key);
    }
    Validate();
    return loaded;
}

bool Settings::Save()
{
    Validate();
    if (!Dirty) return true;
    SettingsStore::Key key = store != nullptr ? store->OpenModeKey(RunMode) : nullptr;
    if (key == nullptr) return false;
    SettingsStore& s = *store;
    // && stops at the first failed write: the values before it stay written, the rest as they were.
    bool written = WriteDword(s, key, "Gravity", static_cast<uint32_t>(Gravity)) &&
                   WriteDword(s, key, "Wind", static_cast<uint32_t>(Wind)) &&
                   WriteDword(s, key, "Stereo", static_cast<uint32_t>(Stereo)) &&
                   WriteDword(s, key, "SoundEffects", Flag(SoundEffects)) &&
                   WriteDword(s, key, "Music", Flag(Music)) &&
                   WriteDword(s, key, "MusicMode", static_cast<uint32_t>(MusicMode)) &&
                   WriteDword(s, key, "CDTrack", CDTrack) &&
                   WriteString(s, key, "MIDIFile", MIDIFile) &&
                   WriteDword(s, key, "DrawMode", static_cast<uint32_t>(DrawMode)) &&
                   WriteDword(s, key, "SparkLimit", SparkLimit) &&
                   WriteDword(s, key, "FrameRate", FrameRate) &&
                   WriteString(s, key, "ScriptFile", ScriptFile) &&
                   WriteDword(s, key, "ScriptUse", ScriptUse);
    if (written) {
        // The values are in the store once written; a failed flush only delays when they reach the
        // disk, so it does not make the record dirty again.
        s.Flush(key);
        Dirty = false;
    }
    s.CloseKey(key);
    return written;
}
