// The record of every user choice of one run mode: physics, stereo, sound, music, drawing back-end,
// spark limit, frame rate and which fireworks the show plays (settings/SettingFields.h lists them). It
// fills itself with the mode's defaults, replaces them by what its store holds for that mode, and keeps
// every field within its legal range. The fields are private: they change only through the setters,
// which track whether the record still matches what is stored (`IsDirty`).
#pragma once
#include <cstdint>
#include <memory>

#include "settings/SettingFields.h"

class SettingsStore;

// Copies the Windows directory into `buffer` (`capacity` characters) and returns its length without
// the NUL: 0 when it cannot be had, `capacity` or more when the buffer is too small.
typedef uint32_t (*WindowsDirectoryQuery)(char* buffer, uint32_t capacity);

class Settings {
public:
    enum MusicSource { CompactDisc = 1, MidiFile = 2 };
    enum DrawBackEnd { DirectDraw = 1, GDI = 2 };
    enum FireworksChoice { BuiltInFireworks = 0, OwnFireworks = 1, AllFireworks = 2 };

    // Windows: the record of `runMode` (1 interactive, 2 screen saver) in the current user's
    // registry, with the system's Windows directory. Defined by the Win32 half
    // (settings/win32/RegistryStore.cpp).
    Settings(void* instance, int32_t runMode);
    // Any platform: the record kept in `store`, which must outlive it (none: nothing is ever stored,
    // the record stays dirty), with the Windows directory from `windowsDirectory` (none: unknown).
    Settings(void* instance, int32_t runMode, SettingsStore* store, WindowsDirectoryQuery windowsDirectory);
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // Defaults, then the stored values of the record's run mode, then Validate. True when the mode's
    // key could be opened (the record is then clean unless Validate corrected something).
    bool Load();
    // Validate, then, when dirty, writes every value and flushes. True when the record was clean
    // already or everything was written; a failed save leaves the record dirty.
    bool Save();
    // Save when dirty; the owner calls it just before it destroys the record.
    bool SaveIfDirty();

    // The defaults of one page's fields (of every field); each marks the record dirty.
    void SetDefaults(SettingGroup group);
    void SetSightsDefaults() { SetDefaults(SettingGroup::Sights); }
    void SetSoundsDefaults() { SetDefaults(SettingGroup::Sounds); }
    void SetSpeedDefaults() { SetDefaults(SettingGroup::Speed); }
    void SetFireworksDefaults() { SetDefaults(SettingGroup::Fireworks); }
    void SetAllDefaults();

    // Brings every field into its legal range. Corrections mark the record dirty, except those the
    // table calls quiet (FrameRate: a stored rate out of range is used clamped but not rewritten on its
    // own account).
    void Validate();

    // Any field but a path by its id: a signed field as its signed value, an unsigned one as its
    // unsigned value, a flag as 0 or 1.
    int64_t Value(SettingId id) const;
    // Change-setter: stores the value (kept to 32 bits; a flag as 0 or 1) and marks the record dirty
    // when it differs from the current one. It does not validate; Save does.
    void SetValue(SettingId id, int64_t value);
    // A path field; never none once the record is constructed (unless memory ran out).
    const char* Path(SettingId id) const;
    // A copy of `path` (none counts as the empty string) replaces the current one unless the two are
    // the same storage or equal, letter case included. False when no memory was left for the copy;
    // the record is then unchanged.
    bool SetPath(SettingId id, const char* path);

    // The fields by name.
    int32_t GetGravity() const { return Signed(SettingId::Gravity); }          // cm/s², 0 to 1500
    int32_t GetWind() const { return Signed(SettingId::Wind); }                // cm/s, -500 (left) to 500 (right)
    int32_t GetStereo() const { return Signed(SettingId::Stereo); }            // red/blue anaglyph: 0 off, 1 on
    bool GetSoundEffects() const { return Value(SettingId::SoundEffects) != 0; }
    bool GetMusic() const { return Value(SettingId::Music) != 0; }
    int32_t GetMusicMode() const { return Signed(SettingId::MusicMode); }      // a MusicSource
    uint32_t GetCDTrack() const { return Unsigned(SettingId::CDTrack); }       // 1 to 999
    const char* GetMIDIFile() const { return Path(SettingId::MIDIFile); }
    int32_t GetDrawMode() const { return Signed(SettingId::DrawMode); }        // a DrawBackEnd
    uint32_t GetSparkLimit() const { return Unsigned(SettingId::SparkLimit); }  // 500 to 20000
    uint32_t GetFrameRate() const { return Unsigned(SettingId::FrameRate); }    // frames per second, 10 to 100
    // The user's file of fireworks, one per line; empty for none.
    const char* GetScriptFile() const { return Path(SettingId::ScriptFile); }
    uint32_t GetScriptUse() const { return Unsigned(SettingId::ScriptUse); }   // a FireworksChoice

    void SetGravity(int32_t value) { SetValue(SettingId::Gravity, value); }
    void SetWind(int32_t value) { SetValue(SettingId::Wind, value); }
    void SetStereo(int32_t value) { SetValue(SettingId::Stereo, value); }
    void SetSoundEffects(bool value) { SetValue(SettingId::SoundEffects, value ? 1 : 0); }
    void SetMusic(bool value) { SetValue(SettingId::Music, value ? 1 : 0); }
    void SetMusicMode(int32_t value) { SetValue(SettingId::MusicMode, value); }
    void SetCDTrack(uint32_t value) { SetValue(SettingId::CDTrack, value); }
    bool SetMIDIFile(const char* path) { return SetPath(SettingId::MIDIFile, path); }
    void SetDrawMode(int32_t value) { SetValue(SettingId::DrawMode, value); }
    void SetSparkLimit(uint32_t value) { SetValue(SettingId::SparkLimit, value); }
    void SetFrameRate(uint32_t value) { SetValue(SettingId::FrameRate, value); }
    bool SetScriptFile(const char* path) { return SetPath(SettingId::ScriptFile, path); }
    void SetScriptUse(uint32_t value) { SetValue(SettingId::ScriptUse, value); }

    // The program instance, for resources and dialogs.
    void* Instance() const { return instance; }
    // 1 interactive, 2 screen saver.
    int32_t Mode() const { return runMode; }
    // The record may differ from what the store holds.
    bool IsDirty() const { return dirty; }

private:
    struct Field {
        uint32_t number = 0;           // numbers and flags, as their 32 stored bits
        std::unique_ptr<char[]> path;  // paths
    };
    Field& At(SettingId id) { return fields[static_cast<size_t>(id)]; }
    const Field& At(SettingId id) const { return fields[static_cast<size_t>(id)]; }
    int32_t Signed(SettingId id) const { return static_cast<int32_t>(At(id).number); }
    uint32_t Unsigned(SettingId id) const { return At(id).number; }
    // The default path of a path field: the Windows directory's "\Media\canyon.mid" for the MIDI file
    // (empty when the directory is unknown), empty for the others.
    void DefaultPath(SettingId id, char* buffer) const;

    Field fields[SettingCount];
    void* instance;
    int32_t runMode;
    bool dirty;
    SettingsStore* store;
    WindowsDirectoryQuery windowsDirectory;
};
