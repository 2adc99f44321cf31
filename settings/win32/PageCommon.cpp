// Shared parts of the settings sheet's editing pages, on USER32 dialogs and COMCTL32 trackbars.
// Degrades: a page without its record (never initialised) ignores the notifications.
#include "settings/win32/PageCommon.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "resources/resource.h"
#include "settings/Settings.h"

Settings* PageSettings(HWND page) { return reinterpret_cast<Settings*>(GetWindowLongPtrA(page, DWLP_USER)); }

INT_PTR OnPageInitDialog(HWND page, LPARAM pageDescription)
{
    const PROPSHEETPAGEA* description = reinterpret_cast<const PROPSHEETPAGEA*>(pageDescription);
    SetWindowLongPtrA(page, DWLP_USER, description != nullptr ? description->lParam : 0);
    return TRUE;
}

INT_PTR OnPageNotify(HWND page, const NMHDR* header, const PageOperations& operations)
{
    Settings* settings = PageSettings(page);
    if (header == nullptr || settings == nullptr) return 0;
    switch (header->code) {
    case PSN_SETACTIVE:
        operations.fill(page, *settings);
        return 0;
    case PSN_KILLACTIVE:
        operations.store(page, *settings);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, FALSE);  // the page may be left
        return TRUE;
    case PSN_APPLY:
        operations.store(page, *settings);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return 0;
    case PSN_RESET:
        // Cancel: the sheet's caller reloads the record, so nothing is stored here.
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
        return 0;
    default:
        return 0;
    }
}

void ShowValueLabel(HWND page, int labelId, UINT formatId, long value)
{
    char format[64];
    const Settings* settings = PageSettings(page);
    HINSTANCE instance = settings != nullptr ? static_cast<HINSTANCE>(settings->Instance) : nullptr;
    if (LoadStringA(instance, formatId, format, sizeof(format)) <= 0) std::snprintf(format, sizeof(format), "%%ld");
    char label[32];
    std::snprintf(label, sizeof(label), format, value);
    SetDlgItemTextA(page, labelId, label);
}

void SetUpTrackbar(HWND page, const TrackbarSetup& setup, int position)
{
    HWND trackbar = GetDlgItem(page, setup.id);
    if (trackbar == nullptr) return;
    SendMessageA(trackbar, TBM_SETRANGEMIN, FALSE, setup.low);
    SendMessageA(trackbar, TBM_SETRANGEMAX, FALSE, setup.high);
    SendMessageA(trackbar, TBM_SETPAGESIZE, 0, setup.pageSize);
    SendMessageA(trackbar, TBM_CLEARTICS, FALSE, 0);
    for (int i = 0; i < setup.tickCount; ++i) SendMessageA(trackbar, TBM_SETTIC, 0, setup.ticks[i]);
    SendMessageA(trackbar, TBM_SETBUDDY, TRUE, reinterpret_cast<LPARAM>(GetDlgItem(page, setup.startBuddyId)));
    SendMessageA(trackbar, TBM_SETBUDDY, FALSE, reinterpret_cast<LPARAM>(GetDlgItem(page, setup.endBuddyId)));
    SendMessageA(trackbar, TBM_SETPOS, TRUE, position);
}

int TrackbarPosition(HWND page, int id)
{
    return static_cast<int>(SendDlgItemMessageA(page, id, TBM_GETPOS, 0, 0));
}

bool IsScrollFrom(HWND page, LPARAM scrollBar, int id)
{
    HWND control = GetDlgItem(page, id);
    return control != nullptr && reinterpret_cast<HWND>(scrollBar) == control;
}

bool IsChecked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

bool IsClick(WPARAM wParam, int id) { return LOWORD(wParam) == id && HIWORD(wParam) == BN_CLICKED; }

void BrowseForPath(HWND page, int editId, Settings& settings, char* Settings::*field, bool (Settings::*set)(const char*),
                   bool (*choose)(HWND owner, char* path, DWORD capacity))
{
    char path[PagePathLength] = "";
    if (settings.*field != nullptr) {
        std::strncpy(path, settings.*field, sizeof(path) - 1);
        path[sizeof(path) - 1] = '\0';
    }
    if (choose(page, path, sizeof(path))) (settings.*set)(path);
    SetDlgItemTextA(page, editId, settings.*field != nullptr ? settings.*field : "");
}

INT_PTR EditingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam, const PageOperations& operations)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnPageInitDialog(page, lParam);
    case WM_NOTIFY:
        return OnPageNotify(page, reinterpret_cast<const NMHDR*>(lParam), operations);
    case WM_HSCROLL:
        for (int i = 0; i < operations.sliderCount; ++i) {
            const SliderLabel& slider = operations.sliders[i];
            if (IsScrollFrom(page, lParam, slider.trackbarId))
                ShowValueLabel(page, slider.labelId, slider.formatId, TrackbarPosition(page, slider.trackbarId));
        }
        return 0;
    case WM_COMMAND: {
        Settings* settings = PageSettings(page);
        if (settings != nullptr && IsClick(wParam, IDC_DEFAULTS)) {
            (settings->*operations.defaults)();
            operations.fill(page, *settings);
        }
        if (operations.onCommand != nullptr) operations.onCommand(page, wParam);
        return 0;
    }
    default:
        return 0;
    }
}
