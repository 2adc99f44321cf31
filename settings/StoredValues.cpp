#include "settings/StoredValues.h"

#include <cstring>
#include <memory>
#include <new>

namespace {
// Makes the `length` raw bytes in `buffer` a NUL-terminated string without losing a character: a value
// written without its terminator gets one appended when there is room.
bool TerminateStoredString(char* buffer, uint32_t length, uint32_t capacity)
{
    if (length > capacity) return false;
    if (length == 0) {
        buffer[0] = '\0';
        return true;
    }
    if (buffer[length - 1] == '\0') return true;
    if (length == capacity) return false;
    buffer[length] = '\0';
    return true;
}
}  // namespace

uint32_t ReadDwordValue(SettingsStore& store, SettingsStore::Key key, const char* name, uint32_t fallback)
{
    unsigned char bytes[4] = {0, 0, 0, 0};
    uint32_t type = 0;
    uint32_t size = 0;
    if (!store.QueryValue(key, name, bytes, sizeof(bytes), &type, &size)) return fallback;
    if (type != StoredDword || size != sizeof(bytes)) return fallback;
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

bool ReadStringValue(SettingsStore& store, SettingsStore::Key key, const char* name, char* destination,
                     uint32_t capacity)
{
    if (destination == nullptr || capacity == 0) return false;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[capacity]);
    if (!buffer) return false;
    buffer[0] = '\0';
    uint32_t type = 0;
    uint32_t size = 0;
    bool read = store.QueryValue(key, name, buffer.get(), capacity, &type, &size) && type == StoredString &&
                TerminateStoredString(buffer.get(), size, capacity);
    if (read) std::memcpy(destination, buffer.get(), std::strlen(buffer.get()) + 1);
    return read;
}
