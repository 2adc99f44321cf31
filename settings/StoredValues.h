// Which stored values a Settings record accepts. Stored values are not trusted: anything of the wrong
// type or size is treated as missing, so the caller's fallback applies.
#pragma once
#include <cstdint>

#include "settings/SettingsStore.h"

// The capacity, in bytes including the NUL, of the string values ("MIDIFile", "ScriptFile").
const uint32_t StoredPathCapacity = 261;

// The stored number when `name` is a 32-bit number of exactly 4 bytes; otherwise `fallback`.
uint32_t ReadDwordValue(SettingsStore& store, SettingsStore::Key key, const char* name, uint32_t fallback);

// Copies string value `name` into `destination` (`capacity` bytes, at least 1) and returns true when it
// is a plain string (not an expandable one) that fits with its terminating NUL. A string stored
// without its NUL keeps all its characters when there is room to add one; an empty value reads as
// the empty string. On false the destination is untouched.
bool ReadStringValue(SettingsStore& store, SettingsStore::Key key, const char* name, char* destination,
                     uint32_t capacity);

