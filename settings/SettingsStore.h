// Where a Settings record keeps its values between runs: one key per run mode holding typed,
// named values. On Windows this is the current user's registry (settings/RegistryStore.h); tests use
// an in-memory store. The store only moves bytes; the rules for which stored values count (type,
// size, terminating NUL) live in settings/StoredValues.h so that every store obeys the same ones.
#pragma once
#include <cstdint>

// Value types, numbered as the registry numbers them.
const uint32_t StoredString = 1;  // REG_SZ
const uint32_t StoredDword = 4;   // REG_DWORD (little-endian)

class SettingsStore {
public:
    typedef void* Key;

    virtual ~SettingsStore() {}

    // Opens, creating it and its parents as needed, the key of one run mode (1 interactive,
    // 2 screen saver). Returns none for any other run mode or when the store cannot be reached.
    virtual Key OpenModeKey(int32_t runMode) = 0;

    // Reads value `name` into `buffer` of `capacity` bytes. True when it exists and fits; `type`
    // and `size` then hold its type and its length in bytes. A value that does not fit, or is
    // missing, gives false and leaves the buffer's contents undefined.
    virtual bool QueryValue(Key key, const char* name, void* buffer, uint32_t capacity, uint32_t* type,
                            uint32_t* size) = 0;

    // Writes `size` bytes of `data` as value `name` of type `type`. True on success.
    virtual bool SetValue(Key key, const char* name, uint32_t type, const void* data, uint32_t size) = 0;

    // Asks the store to commit the key's values to permanent storage. True on success.
    virtual bool Flush(Key key) = 0;

    // Closes a key returned by OpenModeKey. Closing none does nothing.
    virtual void CloseKey(Key key) = 0;
};

// The name of a run mode's key: "interactive" for 1, "screensaver" for 2, none for any other.
const char* ModeKeyName(int32_t runMode);
