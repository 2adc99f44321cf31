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

// The stored bytes and type; type REG_NONE when the value is absent.
inline std::string GetRaw(const char* mode, const char* name, DWORD* type)
{
    *type = REG_NONE;
    char buffer[2048];
    DWORD size = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ModePath(mode).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        size = sizeof(buffer);
        if (RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
            *type = REG_NONE;
            size = 0;
        }
        RegCloseKey(key);
    }
    return std::string(buffer, size);
}

// The stored number, or `missing` when the value is absent or not a 4-byte REG_DWORD.
inline uint32_t GetDword(const char* mode, const char* name, uint32_t missing = 0xDEADBEEFu)
{
    DWORD type = REG_NONE;
    std::string bytes = GetRaw(mode, name, &type);
    if (type != REG_DWORD || bytes.size() != 4) return missing;
    uint32_t result = 0;
    for (size_t i = 4; i > 0; --i) result = result << 8 | static_cast<unsigned char>(bytes[i - 1]);
    return result;
}

inline std::string DefaultMidiPath()
{
    char directory[MAX_PATH + 1] = "";
    std::string path(directory, GetWindowsDirectoryA(directory, sizeof(directory)));
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path + "\\Media\\canyon.mid";
}

}  // namespace settings_registry
