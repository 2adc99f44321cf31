// Reading and writing a Settings record through its store, field by field in the order of the
// settings table. Stored values are never trusted, so every load ends with Validate.
#include <cstring>

#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "settings/StoredValues.h"

namespace {
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
    SettingsStore::Key key = store != nullptr ? store->OpenModeKey(runMode) : nullptr;
    if (key != nullptr) {
        for (const SettingField& field : SettingFields) {
            if (field.type == SettingType::Path) {
                // A missing or unreadable path keeps the default one, like every other missing value.
                char path[StoredPathCapacity];
                if (ReadStringValue(*store, key, field.name, path, sizeof(path))) SetPath(field.id, path);
                continue;
            }
            uint32_t& bits = At(field.id).number;
            bits = ReadDwordValue(*store, key, field.name, bits);
            if (field.type == SettingType::Flag) bits = bits != 0 ? 1u : 0u;
        }
        dirty = false;
        loaded = true;
        store->CloseKey(key);
    }
    Validate();
    return loaded;
}

bool Settings::Save()
{
    Validate();
    if (!dirty) return true;
    SettingsStore::Key key = store != nullptr ? store->OpenModeKey(runMode) : nullptr;
    if (key == nullptr) return false;
    // The first failed write stops the save: the values before it stay written, the rest as they were.
    bool written = true;
    for (const SettingField& field : SettingFields) {
        written = field.type == SettingType::Path ? WriteString(*store, key, field.name, Path(field.id))
                                                  : WriteDword(*store, key, field.name, At(field.id).number);
        if (!written) break;
    }
    if (written) {
        // The values are in the store once written; a failed flush only delays when they reach the
        // disk, so it does not make the record dirty again.
        store->Flush(key);
        dirty = false;
    }
    store->CloseKey(key);
    return written;
}
