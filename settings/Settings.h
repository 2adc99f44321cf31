// The record of every user choice of one run mode: physics, stereo, sound, music, drawing back-end,
// spark limit, frame rate and which fireworks the show plays. It fills itself with the mode's defaults, replaces them by what its
// store holds for that mode, and keeps every field within its legal range. Fields carry the names of
// the stored values; the owner reads them directly, and changes them only through the setters, which
// track whether the record still matches what is stored (`Dirty`).
#pragma once
#include <cstdint>

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
    // registry, with the system's Windows directory. Defined by the Win32 layer
    // (settings/RegistryStore.cpp).
    Settings(void* instance, int32_t runMode);
    // Any platform: the record kept in `store`, which must outlive it (none: nothing is ever stored,
    // the record stays dirty), with the Windows directory from `windowsDirectory` (none: unknown).
    Settings(void* instance, int32_t runMode, SettingsStore* store, WindowsDirectoryQuery windowsDirectory);
    ~Settings();
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

    // Default groups, one per page of the property sheet; each marks the record dirty.
    void SetSightsDefaults();
    void SetSoundsDefaults();
    void SetSpeedDefaults();
    void SetFireworksDefaults();
    void SetAllDefaults();

    // Brings every field into its legal range. Corrections mark the record dirty, except that of
    // FrameRate: a stored rate out of range is used clamped but not rewritten on its own account.
    void Validate();

    // Change-setters: store the value and mark the record dirty when it differs from the current
    // one. They do not validate; Save does.
    void SetGravity(int32_t value);
    void SetWind(int32_t value);
    void SetStereo(int32_t value);
    void SetSoundEffects(bool value);
    void SetMusic(bool value);
    void SetMusicMode(int32_t value);
    void SetCDTrack(uint32_t value);
    // A copy of `path` (none counts as the empty string) replaces the current one unless the two are
    // the same storage or equal, letter case included. False when no memory was left for the copy;
    // the record is then unchanged.
    bool SetMIDIFile(const char* path);
    void SetDrawMode(int32_t value);
    void SetSparkLimit(uint32_t value);
    void SetFrameRate(uint32_t value);
    // Like SetMIDIFile, for the file of the user's own fireworks.
    bool SetScriptFile(const char* path);
    void SetScriptUse(uint32_t value);

    int32_t GetGravity() const { return Gravity; }
    int32_t GetWind() const { return Wind; }
    uint32_t GetFrameRate() const { return FrameRate; }

    int32_t Gravity;        // cm/s², 0 to 1500
    int32_t Wind;           // cm/s, -500 (left) to 500 (right)
    int32_t Stereo;         // red/blue anaglyph: 0 off, 1 on
    bool SoundEffects;
    bool Music;
    int32_t MusicMode;      // CompactDisc or MidiFile
    uint32_t CDTrack;       // 1 to 999
    char* MIDIFile;         // owned; never none once the record is constructed (unless memory ran out)
    int32_t DrawMode;       // DirectDraw or GDI
    uint32_t SparkLimit;    // 500 to 20000
    uint32_t FrameRate;     // frames per second, 10 to 100
    char* ScriptFile;       // owned, like MIDIFile: the user's file of fireworks, one per line; empty for none
    uint32_t ScriptUse;     // a FireworksChoice: the built-in fireworks, the user's, or both
    void* Instance;         // the program instance, for resources and dialogs
    int32_t RunMode;        // 1 interactive, 2 screen saver
    bool Dirty;             // the record may differ from what the store holds

private:
    SettingsStore* store;
    WindowsDirectoryQuery windowsDirectory;
};
