#include "settings/SettingFields.h"

#include "settings/Settings.h"

namespace {
typedef SettingId Id;
typedef SettingType Type;
typedef SettingGroup Group;
}  // namespace

// Interactive music is on by default only when the default MIDI file could be named (SetDefaults).
const SettingField SettingFields[SettingCount] = {
    // id, name, type, group, defaults (interactive, screen saver), out of range, low, high, replacement, slider page
    {Id::Gravity, "Gravity", Type::Signed, Group::Sights, 980, 980, OutOfRange::Clamp, 0, 1500, 0, 150},
    {Id::Wind, "Wind", Type::Signed, Group::Sights, 100, 100, OutOfRange::Clamp, -500, 500, 0, 50},
    {Id::Stereo, "Stereo", Type::Signed, Group::Sights, 0, 0, OutOfRange::Replace, 0, 1, 0, 0},
    {Id::SoundEffects, "SoundEffects", Type::Flag, Group::Sounds, 1, 0, OutOfRange::Unchecked, 0, 1, 0, 0},
    {Id::Music, "Music", Type::Flag, Group::Sounds, 1, 0, OutOfRange::Unchecked, 0, 1, 0, 0},
    {Id::MusicMode, "MusicMode", Type::Signed, Group::Sounds, Settings::MidiFile, Settings::MidiFile,
     OutOfRange::Replace, Settings::CompactDisc, Settings::MidiFile, Settings::MidiFile, 0},
    {Id::CDTrack, "CDTrack", Type::Unsigned, Group::Sounds, 1, 1, OutOfRange::Clamp, 1, 999, 0, 0},
    {Id::MIDIFile, "MIDIFile", Type::Path, Group::Sounds, 0, 0, OutOfRange::Unchecked, 0, 0, 0, 0},
    {Id::DrawMode, "DrawMode", Type::Signed, Group::Speed, Settings::GDI, Settings::GDI, OutOfRange::Replace,
     Settings::DirectDraw, Settings::GDI, Settings::GDI, 0},
    {Id::SparkLimit, "SparkLimit", Type::Unsigned, Group::Speed, 5000, 5000, OutOfRange::Clamp, 500, 20000, 0, 500},
    {Id::FrameRate, "FrameRate", Type::Unsigned, Group::Speed, 50, 50, OutOfRange::ClampQuietly, 10, 100, 0, 10},
    {Id::ScriptFile, "ScriptFile", Type::Path, Group::Fireworks, 0, 0, OutOfRange::Unchecked, 0, 0, 0, 0},
    {Id::ScriptUse, "ScriptUse", Type::Unsigned, Group::Fireworks, Settings::BuiltInFireworks,
     Settings::BuiltInFireworks, OutOfRange::Replace, Settings::BuiltInFireworks, Settings::AllFireworks,
     Settings::BuiltInFireworks, 0},
};
