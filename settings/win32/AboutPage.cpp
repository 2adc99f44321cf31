// About page: the product name in bold red, the notice, the maker's link in blue, all on black.
// The bold font lives only while the page is the active one.
// Degrades: without the bold font the name is drawn in the dialog's font.
#include <windows.h>

#include <commctrl.h>

#include "resources/resource.h"
#include "settings/win32/Pages.h"

namespace {
HFONT BoldFont(HWND page) { return reinterpret_cast<HFONT>(GetWindowLongPtrA(page, DWLP_USER)); }

// The product name asks for the bold font when it asks for its colours; static controls that select
// their own font after asking (Wine's do) get it handed over as well, and the dialog's font back before
// the bold one is deleted.
void CreateBoldFont(HWND page)
{
    if (BoldFont(page) != nullptr) return;
    HDC dc = GetDC(page);
    int pixelsPerInch = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc != nullptr) ReleaseDC(page, dc);
    LOGFONTA description = {};
    description.lfHeight = -(pixelsPerInch * 12 / 72);
    description.lfWeight = FW_BOLD;
    HFONT font = CreateFontIndirectA(&description);
    if (font == nullptr) return;
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(font));
    SendDlgItemMessageA(page, IDC_ABOUT_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void DeleteBoldFont(HWND page)
{
    HFONT font = BoldFont(page);
    if (font == nullptr) return;
    SendDlgItemMessageA(page, IDC_ABOUT_NAME, WM_SETFONT, static_cast<WPARAM>(SendMessageA(page, WM_GETFONT, 0, 0)),
                        FALSE);
    SetWindowLongPtrA(page, DWLP_USER, 0);
    DeleteObject(font);
}

INT_PTR OnEraseBackground(HWND page, HDC dc)
{
    RECT client;
    GetClientRect(page, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

INT_PTR OnCtlColorStatic(HWND page, HDC dc, HWND control)
{
    COLORREF text = RGB(255, 255, 255);
    switch (GetDlgCtrlID(control)) {
    case IDC_ABOUT_NAME:
        if (BoldFont(page) != nullptr) SelectObject(dc, BoldFont(page));
        text = RGB(255, 0, 0);
        break;
    case IDC_ABOUT_LINK:
        text = RGB(0, 0, 255);
        break;
    default:
        break;
    }
    SetTextColor(dc, text);
    SetBkColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
}

INT_PTR OnNotify(HWND page, const NMHDR* header)
{
    if (header == nullptr) return 0;
    switch (header->code) {
    case PSN_SETACTIVE:
        CreateBoldFont(page);
        return 0;
    case PSN_KILLACTIVE:
        DeleteBoldFont(page);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, FALSE);
        return TRUE;
    default:
        return 0;
    }
}
}  // namespace

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_ERASEBKGND:
        return OnEraseBackground(page, reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(page, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        return OnNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
        // A sheet cancelled while this page is active never deactivates it.
        DeleteBoldFont(page);
        return 0;
    default:
        return 0;
    }
}
