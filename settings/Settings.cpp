#include "settings/Settings.h"

#include <cstring>
#include <new>

#include "settings/RunMode.h"

namespace {
const char defaultMidiTail[] = "\\Media\\canyon.mid";
const uint32_t windowsDirectoryCapacity = 261;
const size_t DefaultPathCapacity = windowsDirectoryCapacity + sizeof(defaultMidiTail);

// A value's 32 stored bits as the number its type reads them as.
int64_t Interpret(const SettingField& field, uint32_t bits)
{
    return field.type == SettingType::Signed ? static_cast<int64_t>(static_cast<int32_t>(bits)) : bits;
}
}  // namespace

Settings::Settings(void* instance_, int32_t runMode_, SettingsStore* store_, WindowsDirectoryQuery windowsDirectory_)
    : instance(instance_), runMode(runMode_), dirty(true), store(store_), windowsDirectory(windowsDirectory_)
{
    Load();
}

bool Settings::SaveIfDirty() { return dirty ? Save() : true; }

int64_t Settings::Value(SettingId id) const { return Interpret(FieldOf(id), At(id).number); }

void Settings::SetValue(SettingId id, int64_t value)
{
    uint32_t bits = FieldOf(id).type == SettingType::Flag ? (value != 0 ? 1u : 0u) : static_cast<uint32_t>(value);
    if (At(id).number == bits) return;
    At(id).number = bits;
    dirty = true;
}

const char* Settings::Path(SettingId id) const { return At(id).path.get(); }

bool Settings::SetPath(SettingId id, const char* path)
{
    std::unique_ptr<char[]>& field = At(id).path;
    if (path == nullptr) path = "";
    if (path == field.get()) return true;
    if (field && std::strcmp(field.get(), path) == 0) return true;
    size_t size = std::strlen(path) + 1;
    std::unique_ptr<char[]> copy(new (std::nothrow) char[size]);
    if (!copy) return false;
    std::memcpy(copy.get(), path, size);
    field = std::move(copy);
    dirty = true;
    return true;
}

// The default music is the MIDI file every Windows installation ships. A drive root already ends in a
// backslash; an unknown (or absurdly long) directory gives no path, and then no music.
void Settings::DefaultPath(SettingId id, char* buffer) const
{
    buffer[0] = '\0';
    if (id != SettingId::MIDIFile || windowsDirectory == nullptr) return;
    uint32_t length = windowsDirectory(buffer, windowsDirectoryCapacity);
    if (length == 0 || length >= windowsDirectoryCapacity) {
        buffer[0] = '\0';
        return;
    }
    if (buffer[length - 1] == '\\') --length;
    std::memcpy(buffer + length, defaultMidiTail, sizeof(defaultMidiTail));
}

void Settings::SetDefaults(SettingGroup group)
{
    char path[DefaultPathCapacity];
    bool noMusicFile = false;
    for (const SettingField& field : SettingFields) {
        if (field.group != group) continue;
        if (field.type == SettingType::Path) {
            DefaultPath(field.id, path);
            SetPath(field.id, path);
            if (field.id == SettingId::MIDIFile) noMusicFile = path[0] == '\0';
        } else {
            At(field.id).number =
                static_cast<uint32_t>(runMode == Interactive ? field.interactiveDefault : field.screenSaverDefault);
        }
    }
    if (noMusicFile) At(SettingId::Music).number = 0;
    dirty = true;
}

void Settings::SetAllDefaults()
{
    const SettingGroup groups[] = {SettingGroup::Sights, SettingGroup::Sounds, SettingGroup::Speed,
                                   SettingGroup::Fireworks};
    for (SettingGroup group : groups) SetDefaults(group);
}

void Settings::Validate()
{
    bool corrected = false;
    for (const SettingField& field : SettingFields) {
        if (field.outOfRange == OutOfRange::Unchecked) continue;
        uint32_t& bits = At(field.id).number;
        int64_t value = Interpret(field, bits);
        if (value >= field.low && value <= field.high) continue;
        int64_t legal = field.outOfRange == OutOfRange::Replace ? field.replacement
                        : value < field.low                     ? field.low
                                                                : field.high;
        bits = static_cast<uint32_t>(legal);
        if (field.outOfRange != OutOfRange::ClampQuietly) corrected = true;
    }
    if (corrected) dirty = true;
}
