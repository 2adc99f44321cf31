// Direct access to the program's settings keys in the current user's registry, for Windows tests that
// set up stored values and check what the program wrote, independently of the code under test.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace settings_registry {

inline std::string ModePath(const char* mode) { return std::string("Software\\Brelkora\\Fireworks\\1.0\\") + mode; }

// Removes the mode key with its values, so that a test starts from nothing stored.
inline void DeleteModeKey(const char* mode) { RegDeleteKeyA(HKEY_CURRENT_USER, ModePath(mode).c_str()); }

inline bool ModeKeyExists(const char* mode)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ModePath(mode).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Number of values in the mode key; -1 when the key does not exist.
inline long ValueCount(const char* mode)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ModePath(mode).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
    DWORD values = 0;
    LONG rc = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                               nullptr, nullptr);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? static_cast<long>(values) : -1;
}

inline bool PutRaw(const char* mode, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, ModePath(mode).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LONG rc = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

inline bool PutDword(const char* mode, const char* name, uint32_t value)
{
    DWORD v = value;
    return PutRaw(mode, name, REG_DWORD, &v, sizeof(v));
}

inline bool PutString(const char* mode, const char* name, const std::string& text)
{
    return PutRaw(mode, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

struct RawValue {
    bool found;
    DWORD type;
    std::string bytes;
};

inline RawValue GetRaw(const char* mode, const char* name)
{
    RawValue result = {false, REG_NONE, std::string()};
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ModePath(mode).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return result;
    char buffer[2048];
    DWORD size = sizeof(buffer);
    if (RegQueryValueExA(key, name, nullptr, &result.type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS) {
        result.found = true;
        result.bytes.assign(buffer, size);
    }
    RegCloseKey(key);
    return result;
}

// The stored number, or `missing` when the value is absent or not a 4-byte REG_DWORD.
inline uint32_t GetDword(const char* mode, const char* name, uint32_t missing = 0xDEADBEEFu)
{
    RawValue v = GetRaw(mode, name);
    if (!v.found || v.type != REG_DWORD || v.bytes.size() != 4) return missing;
    uint32_t result = 0;
    for (size_t i = 4; i > 0; --i) result = result << 8 | static_cast<unsigned char>(v.bytes[i - 1]);
    return result;
}

inline std::string DefaultMidiPath()
{
    char directory[MAX_PATH + 1] = "";
    UINT length = GetWindowsDirectoryA(directory, sizeof(directory));
    std::string path(directory, length);
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path + "\\Media\\canyon.mid";
}

}  // namespace settings_registry
