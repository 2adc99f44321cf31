// Which fireworks the show launches from: the built-in ones, the user's own from their file, or both.
#pragma once
#include <cstdint>

class ScriptTable;
class Settings;

// Fills an empty table as the settings choose: the built-in fireworks (the resource block of
// NUL-terminated texts, `size` bytes), the usable lines of the user's file, or the built-in ones
// followed by the user's. Lines the checker rejects are left out. When the user's fireworks alone are
// chosen but the file is missing, unreadable or has no usable line, the built-in ones play instead,
// silently, so the sky never stays dark. Returns how many fireworks came from the user's file.
uint32_t AddScriptsInUse(ScriptTable& table, const Settings& settings, const char* builtIn, uint32_t size);
