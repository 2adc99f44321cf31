// Every setting of the show, field by field: its stored name, its type, the page whose Defaults button
// resets it, its defaults, its legal range and its slider. The Settings record takes its defaults,
// Validate, Load and Save from this table, the settings sheet its sliders, and the tools their defaults.
#pragma once
#include <cstddef>
#include <cstdint>

// The fields in the order in which they are stored.
enum class SettingId : uint8_t {
    Gravity,
    Wind,
    Stereo,
    SoundEffects,
    Music,
    MusicMode,
    CDTrack,
    MIDIFile,
    DrawMode,
    SparkLimit,
    FrameRate,
    ScriptFile,
    ScriptUse,
};
const size_t SettingCount = 13;

enum class SettingType : uint8_t {
    Signed,    // a 32-bit number compared as signed
    Unsigned,  // a 32-bit number compared as unsigned
    Flag,      // stored as a number; any non-zero one reads as true, and true is written as 1
    Path,      // a string of at most StoredPathCapacity bytes with its NUL
};

// The pages of the settings sheet with a Defaults button.
enum class SettingGroup : uint8_t { Sights, Sounds, Speed, Fireworks };

// What Validate does with a value outside [low, high].
enum class OutOfRange : uint8_t {
    Unchecked,     // nothing: every value is legal
    Clamp,         // the nearer bound, and the record must be stored again
    ClampQuietly,  // the nearer bound, used but not stored again on its own account
    Replace,       // `replacement`, and the record must be stored again
};

struct SettingField {
    SettingId id;
    const char* name;  // the stored value's name, which is also the field's
    SettingType type;
    SettingGroup group;
    int32_t interactiveDefault;  // numbers and flags; paths have their own (Settings::SetDefaults)
    int32_t screenSaverDefault;
    OutOfRange outOfRange;
    int64_t low, high;
    int32_t replacement;
    int32_t sliderPage;  // how far a page key moves the sheet's slider; 0 for a field without one
};

extern const SettingField SettingFields[SettingCount];

inline const SettingField& FieldOf(SettingId id) { return SettingFields[static_cast<size_t>(id)]; }

// The default of the interactive show, which the tools that imitate the show start from.
inline int32_t InteractiveDefault(SettingId id) { return FieldOf(id).interactiveDefault; }
