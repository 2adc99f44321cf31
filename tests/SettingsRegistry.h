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

inline bool PutRaw(const char* mode, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, ModePath(mode).c_str(), &key) != ERROR_SUCCESS) return false;
    LONG rc = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

inline bool PutDword(const char* mode, const char* name, uint32_t value)
{
    DWORD v = value;
    return PutRaw(mode, name, REG_DWORD, &v, sizeof(v));
}

// The stored number, or `missing` when the value is absent or not a REG_DWORD.
inline uint32_t GetDword(const char* mode, const char* name, uint32_t missing = 0xDEADBEEFu)
{
    DWORD value = 0, size = sizeof(value);
    LONG rc = RegGetValueA(HKEY_CURRENT_USER, ModePath(mode).c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return rc == ERROR_SUCCESS ? value : missing;
}

}  // namespace settings_registry
