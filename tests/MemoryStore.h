// An in-memory settings store for tests. It behaves like the registry as far as Settings can tell:
// values keep their type and exact bytes, a read into a buffer that is too small fails, and only the
// two run modes have keys (any other mode stands for a registry that cannot be opened). It also
// records what was done to it and can be told to fail.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "settings/SettingsStore.h"

class MemoryStore : public SettingsStore {
public:
    struct Value {
        uint32_t type;
        std::string bytes;
    };
    typedef std::map<std::string, Value> Values;

    Key OpenModeKey(int32_t runMode) override
    {
        if (ModeKeyName(runMode) == nullptr) return nullptr;
        ++openKeys;
        return &keys[ModeKeyName(runMode)];
    }

    bool QueryValue(Key key, const char* name, void* buffer, uint32_t capacity, uint32_t* type,
                    uint32_t* size) override
    {
        const Values& values = *static_cast<Values*>(key);
        auto found = values.find(name);
        if (found == values.end() || found->second.bytes.size() > capacity) return false;
        *type = found->second.type;
        *size = static_cast<uint32_t>(found->second.bytes.copy(static_cast<char*>(buffer), capacity));
        return true;
    }

    bool SetValue(Key key, const char* name, uint32_t type, const void* data, uint32_t size) override
    {
        if (failWritesAfter >= 0 && writes >= failWritesAfter) return false;
        ++writes;
        (*static_cast<Values*>(key))[name] = Value{type, std::string(static_cast<const char*>(data), size)};
        return true;
    }

    bool Flush(Key) override { return ++flushes > 0; }
    void CloseKey(Key key) override { openKeys -= key != nullptr ? 1 : 0; }

    // Test set-up and inspection.
    void PutRaw(const char* mode, const char* name, uint32_t type, const std::string& bytes)
    {
        keys[mode][name] = Value{type, bytes};
    }
    void PutDword(const char* mode, const char* name, uint32_t value)
    {
        std::string bytes;
        for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(value >> shift & 0xFF);
        PutRaw(mode, name, StoredDword, bytes);
    }
    uint32_t Dword(const char* mode, const char* name) const
    {
        const std::string& bytes = keys.at(mode).at(name).bytes;
        uint32_t result = 0;
        for (size_t i = bytes.size(); i > 0; --i) result = result << 8 | static_cast<unsigned char>(bytes[i - 1]);
        return result;
    }
    std::map<std::string, Values> keys;
    int writes = 0;
    int failWritesAfter = -1;  // the write with this index and all later ones fail; -1 never
    int openKeys = 0;
    int flushes = 0;
};
