// An in-memory settings store for tests. It behaves like the registry as far as Settings can tell:
// values keep their type and exact bytes, a read into a buffer that is too small fails, and only the
// two run modes have keys. It also records what was done to it and can be told to fail.
#pragma once
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

class MemoryStore : public SettingsStore {
public:
    struct Value {
        uint32_t type;
        std::vector<unsigned char> bytes;
    };
    typedef std::map<std::string, Value> Values;

    Key OpenModeKey(int32_t runMode) override
    {
        ++opens;
        if (unreachable || ModeKeyName(runMode) == nullptr) return nullptr;
        ++openKeys;
        return &keys[ModeKeyName(runMode)];
    }

    bool QueryValue(Key key, const char* name, void* buffer, uint32_t capacity, uint32_t* type,
                    uint32_t* size) override
    {
        const Values& values = *static_cast<Values*>(key);
        auto found = values.find(name);
        if (found == values.end()) return false;
        if (found->second.bytes.size() > capacity) return false;
        *type = found->second.type;
        *size = static_cast<uint32_t>(found->second.bytes.size());
        if (!found->second.bytes.empty()) std::memcpy(buffer, found->second.bytes.data(), found->second.bytes.size());
        return true;
    }

    bool SetValue(Key key, const char* name, uint32_t type, const void* data, uint32_t size) override
    {
        if (failWritesAfter >= 0 && static_cast<int>(writes.size()) >= failWritesAfter) return false;
        writes.push_back(name);
        const unsigned char* p = static_cast<const unsigned char*>(data);
        (*static_cast<Values*>(key))[name] = Value{type, std::vector<unsigned char>(p, p + size)};
        return true;
    }

    bool Flush(Key) override { return ++flushes > 0; }
    void CloseKey(Key key) override { openKeys -= key != nullptr ? 1 : 0; }

    // Test set-up and inspection.
    void PutRaw(const char* mode, const char* name, uint32_t type, const std::string& bytes)
    {
        keys[mode][name] = Value{type, std::vector<unsigned char>(bytes.begin(), bytes.end())};
    }
    void PutDword(const char* mode, const char* name, uint32_t value)
    {
        std::string bytes;
        for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(value >> shift & 0xFF);
        PutRaw(mode, name, StoredDword, bytes);
    }
    uint32_t Dword(const char* mode, const char* name) const
    {
        const Value& v = keys.at(mode).at(name);
        uint32_t result = 0;
        for (size_t i = v.bytes.size(); i > 0; --i) result = result << 8 | v.bytes[i - 1];
        return result;
    }
    std::map<std::string, Values> keys;
    std::vector<std::string> writes;
    bool unreachable = false;
    int failWritesAfter = -1;  // the write with this index and all later ones fail; -1 never
    int opens = 0;
    int openKeys = 0;
    int flushes = 0;
};
