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

namespace {
// Formats `value` with format string `formatId` into a 32-character label and shows it in `labelId`.
void ShowValueLabel(HWND page, int labelId, UINT formatId, long value)
{
    char format[64];
    const Settings* settings = PageSettings(page);
    HINSTANCE instance = settings != nullptr ? static_cast<HINSTANCE>(settings->Instance()) : nullptr;
    if (LoadStringA(instance, formatId, format, sizeof(format)) <= 0) std::snprintf(format, sizeof(format), "%%ld");
    char label[32];
    std::snprintf(label, sizeof(label), format, value);
    SetDlgItemTextA(page, labelId, label);
}

int TrackbarPosition(HWND page, int id) { return static_cast<int>(SendDlgItemMessageA(page, id, TBM_GETPOS, 0, 0)); }

// Range, page size, ticks and buddies of a slider, then its position and its label.
void FillSlider(HWND page, const Slider& slider, const Settings& settings)
{
    const SettingField& field = FieldOf(slider.field);
    int position = static_cast<int>(settings.Value(slider.field));
    ShowValueLabel(page, slider.labelId, slider.formatId, position);
    HWND trackbar = GetDlgItem(page, slider.trackbarId);
    if (trackbar == nullptr) return;
    SendMessageA(trackbar, TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(field.low));
    SendMessageA(trackbar, TBM_SETRANGEMAX, FALSE, static_cast<LPARAM>(field.high));
    SendMessageA(trackbar, TBM_SETPAGESIZE, 0, field.sliderPage);
    SendMessageA(trackbar, TBM_CLEARTICS, FALSE, 0);
    if (field.low < 0 && field.high > 0) SendMessageA(trackbar, TBM_SETTIC, 0, 0);
    SendMessageA(trackbar, TBM_SETTIC, 0, field.interactiveDefault);
    SendMessageA(trackbar, TBM_SETBUDDY, TRUE, reinterpret_cast<LPARAM>(GetDlgItem(page, slider.lowBuddyId)));
    SendMessageA(trackbar, TBM_SETBUDDY, FALSE, reinterpret_cast<LPARAM>(GetDlgItem(page, slider.highBuddyId)));
    SendMessageA(trackbar, TBM_SETPOS, TRUE, position);
}

void Fill(HWND page, Settings& settings, const PageOperations& operations)
{
    if (operations.fill != nullptr) operations.fill(page, settings);
    for (int i = 0; i < operations.sliderCount; ++i) FillSlider(page, operations.sliders[i], settings);
}

void Store(HWND page, Settings& settings, const PageOperations& operations)
{
    if (operations.store != nullptr) operations.store(page, settings);
    for (int i = 0; i < operations.sliderCount; ++i) {
        const Slider& slider = operations.sliders[i];
        settings.SetValue(slider.field, TrackbarPosition(page, slider.trackbarId));
    }
}
}  // namespace

INT_PTR OnPageNotify(HWND page, const NMHDR* header, const PageOperations& operations)
{
    Settings* settings = PageSettings(page);
    if (header == nullptr || settings == nullptr) return 0;
    switch (header->code) {
    case PSN_SETACTIVE:
        Fill(page, *settings, operations);
        return 0;
    case PSN_KILLACTIVE:
        Store(page, *settings, operations);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, FALSE);  // the page may be left
        return TRUE;
    case PSN_APPLY:
        Store(page, *settings, operations);
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

bool IsScrollFrom(HWND page, LPARAM scrollBar, int id)
{
    HWND control = GetDlgItem(page, id);
    return control != nullptr && reinterpret_cast<HWND>(scrollBar) == control;
}

bool IsChecked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

bool IsClick(WPARAM wParam, int id) { return LOWORD(wParam) == id && HIWORD(wParam) == BN_CLICKED; }

void BrowseForPath(HWND page, int editId, Settings& settings, SettingId field,
                   bool (*choose)(HWND owner, char* path, DWORD capacity))
{
    char path[PagePathLength] = "";
    if (settings.Path(field) != nullptr) {
        std::strncpy(path, settings.Path(field), sizeof(path) - 1);
        path[sizeof(path) - 1] = '\0';
    }
    if (choose(page, path, sizeof(path))) settings.SetPath(field, path);
    SetDlgItemTextA(page, editId, settings.Path(field) != nullptr ? settings.Path(field) : "");
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
            const Slider& slider = operations.sliders[i];
            if (IsScrollFrom(page, lParam, slider.trackbarId))
                ShowValueLabel(page, slider.labelId, slider.formatId, TrackbarPosition(page, slider.trackbarId));
        }
        return 0;
    case WM_COMMAND: {
        Settings* settings = PageSettings(page);
        if (settings != nullptr && IsClick(wParam, IDC_DEFAULTS)) {
            settings->SetDefaults(operations.group);
            Fill(page, *settings, operations);
        }
        if (operations.onCommand != nullptr) operations.onCommand(page, wParam);
        return 0;
    }
    default:
        return 0;
    }
}
