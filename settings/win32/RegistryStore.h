// Registry store: keeps Settings records in the current user's registry, one key per run mode under
// HKEY_CURRENT_USER\Software\Brelkora\Fireworks\1.0 ("interactive", "screensaver").
// Degrades: when the key chain cannot be opened or created there is no key, and the record keeps its
// defaults; a failed read counts as a missing value, a failed write fails the save.
#pragma once
#include <windows.h>

#include <cstdint>

#include "settings/SettingsStore.h"

// Opens, creating what is missing, the key of `runMode` below Software\Brelkora\Fireworks\1.0.
// Returns none for any other run mode or when a step fails. The caller closes the key.
HKEY OpenSettingsKey(int32_t runMode);

class RegistryStore : public SettingsStore {
public:
    Key OpenModeKey(int32_t runMode) override;
    bool QueryValue(Key key, const char* name, void* buffer, uint32_t capacity, uint32_t* type,
                    uint32_t* size) override;
    bool SetValue(Key key, const char* name, uint32_t type, const void* data, uint32_t size) override;
    bool Flush(Key key) override;
    void CloseKey(Key key) override;
};

// The one store that every record built with Settings(instance, runMode) uses.
RegistryStore& ProcessRegistryStore();
