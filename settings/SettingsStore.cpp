#include "settings/SettingsStore.h"

const char* ModeKeyName(int32_t runMode)
{
    switch (runMode) {
    case 1:
        return "interactive";
    case 2:
        return "screensaver";
    default:
        return nullptr;
    }
}
