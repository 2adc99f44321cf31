// Registry store: translates the settings store's calls into ADVAPI32 registry calls, and binds the
// Windows form of the Settings constructor to it. See RegistryStore.h for how it degrades.
#include "settings/win32/RegistryStore.h"

#include "settings/Settings.h"
#include "settings/win32/WindowsDirectory.h"

static_assert(StoredString == REG_SZ && StoredDword == REG_DWORD, "stored types are the registry's");

namespace {
HKEY CreateSubKey(HKEY parent, const char* name)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

void Close(HKEY key)
{
    if (key != nullptr) RegCloseKey(key);
}
}  // namespace

HKEY OpenSettingsKey(int32_t runMode)
{
    HKEY software = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ | KEY_CREATE_SUB_KEY, &software) != ERROR_SUCCESS) {
        return nullptr;
    }
    HKEY maker = CreateSubKey(software, "Brelkora");
    HKEY product = maker != nullptr ? CreateSubKey(maker, "Fireworks") : nullptr;
    HKEY version = product != nullptr ? CreateSubKey(product, "1.0") : nullptr;
    const char* modeName = ModeKeyName(runMode);
    HKEY mode = version != nullptr && modeName != nullptr ? CreateSubKey(version, modeName) : nullptr;
    Close(version);
    Close(product);
    Close(maker);
    Close(software);
    return mode;
}

SettingsStore::Key RegistryStore::OpenModeKey(int32_t runMode) { return OpenSettingsKey(runMode); }

bool RegistryStore::QueryValue(Key key, const char* name, void* buffer, uint32_t capacity, uint32_t* type,
                               uint32_t* size)
{
    DWORD valueType = REG_NONE;
    DWORD valueSize = capacity;
    if (RegQueryValueExA(static_cast<HKEY>(key), name, nullptr, &valueType, static_cast<BYTE*>(buffer), &valueSize) !=
        ERROR_SUCCESS) {
        return false;
    }
    *type = valueType;
    *size = valueSize;
    return true;
}

bool RegistryStore::SetValue(Key key, const char* name, uint32_t type, const void* data, uint32_t size)
{
    return RegSetValueExA(static_cast<HKEY>(key), name, 0, type, static_cast<const BYTE*>(data), size) ==
           ERROR_SUCCESS;
}

bool RegistryStore::Flush(Key key) { return RegFlushKey(static_cast<HKEY>(key)) == ERROR_SUCCESS; }

void RegistryStore::CloseKey(Key key) { Close(static_cast<HKEY>(key)); }

RegistryStore& ProcessRegistryStore()
{
    static RegistryStore store;
    return store;
}

Settings::Settings(void* instance_, int32_t runMode_)
    : Settings(instance_, runMode_, &ProcessRegistryStore(), SystemWindowsDirectory)
{
}
