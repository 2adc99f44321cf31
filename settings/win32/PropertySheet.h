// Settings property sheet: the About, Sights, Sounds and Speed pages editing one Settings record.
// Degrades: a sheet that cannot be shown counts as cancelled.
#pragma once
#include <windows.h>

class Settings;

// Shows the modal sheet owned by `owner` (none is fine) for `settings`, whose Instance must hold the
// program's resources. OK saves the record and returns true; anything else reloads it from its store
// and returns false, so no edit survives a cancel.
bool RunPropertySheet(Settings& settings, HWND owner);
