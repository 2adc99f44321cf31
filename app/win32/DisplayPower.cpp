#include "app/win32/DisplayPower.h"

#include <cstring>

namespace {
typedef void*(WINAPI* RegisterFn)(HANDLE recipient, const GUID* setting, DWORD flags);
typedef BOOL(WINAPI* UnregisterFn)(void* registration);

const GUID consoleDisplayState = {0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}};
const GUID monitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}};
const GUID* const watchedSettings[2] = {&consoleDisplayState, &monitorPowerOn};

const WPARAM powerSettingChange = 0x8013;  // PBT_POWERSETTINGCHANGE
const DWORD notifyWindowHandle = 0;        // DEVICE_NOTIFY_WINDOW_HANDLE

// The layout of POWERBROADCAST_SETTING, which only the newer headers declare.
struct PowerSetting {
    GUID setting;
    DWORD dataLength;
    UCHAR data[1];
};

FARPROC UserFunction(const char* name)
{
    HMODULE user = GetModuleHandleW(L"user32.dll");
    return user != nullptr ? GetProcAddress(user, name) : nullptr;
}
}  // namespace

void DisplayPowerWatch::Start(HWND window)
{
    Stop();
    RegisterFn registerFor =
        reinterpret_cast<RegisterFn>(reinterpret_cast<void (*)()>(UserFunction("RegisterPowerSettingNotification")));
    if (registerFor == nullptr) return;
    for (int i = 0; i < 2; ++i) registrations[i] = registerFor(window, watchedSettings[i], notifyWindowHandle);
}

void DisplayPowerWatch::Stop()
{
    UnregisterFn unregister = reinterpret_cast<UnregisterFn>(
        reinterpret_cast<void (*)()>(UserFunction("UnregisterPowerSettingNotification")));
    for (void*& registration : registrations) {
        if (registration != nullptr && unregister != nullptr) unregister(registration);
        registration = nullptr;
    }
}

DisplayChange DisplayPowerWatch::Read(WPARAM wParam, LPARAM lParam)
{
    const PowerSetting* notice = reinterpret_cast<const PowerSetting*>(lParam);
    if (wParam != powerSettingChange || notice == nullptr || notice->dataLength < sizeof(DWORD))
        return DisplayUnchanged;
    bool watched = false;
    for (const GUID* setting : watchedSettings)
        watched = watched || std::memcmp(&notice->setting, setting, sizeof(GUID)) == 0;
    if (!watched) return DisplayUnchanged;
    DWORD state = 0;
    std::memcpy(&state, notice->data, sizeof state);
    return state == 0 ? DisplaySwitchedOff : DisplaySwitchedOn;  // 1 on, 2 dimmed
}
