// Hyperlink control on top of USER32's static control. See HyperLink.h for what it provides and how
// it degrades.
#include "settings/win32/HyperLink.h"

#include <cstring>
#include <new>

#include "resources/resource.h"
#include "settings/win32/ShellOpen.h"

const char hyperLinkClassName[] = "VokHLink";

namespace {
// The static control's own window procedure, read when the class is registered.
WNDPROC staticProc = nullptr;

const size_t clickAddressSize = 260;

char* StoredAddress(HWND link) { return reinterpret_cast<char*>(GetWindowLongPtrA(link, GWLP_USERDATA)); }

void ForgetAddress(HWND link)
{
    delete[] StoredAddress(link);
    SetWindowLongPtrA(link, GWLP_USERDATA, 0);
}

// Appends as much of `text` as fits into `buffer` of `size` characters (keeping room for the NUL)
// behind the `used` characters already there.
void AppendTruncated(char* buffer, size_t size, size_t& used, const char* text)
{
    size_t length = std::strlen(text);
    size_t room = size - 1 - used;
    if (length > room) length = room;
    std::memcpy(buffer + used, text, length);
    used += length;
    buffer[used] = '\0';
}

LRESULT OnSetAddress(HWND link, const char* address)
{
    ForgetAddress(link);
    if (address == nullptr) return 1;
    size_t size = std::strlen(address) + 1;
    char* copy = new (std::nothrow) char[size];
    if (copy == nullptr) return 0;
    std::memcpy(copy, address, size);
    SetWindowLongPtrA(link, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(copy));
    return 1;
}

LRESULT OnGetAddress(HWND link, size_t size, char* buffer)
{
    if (size == 0 || buffer == nullptr) return 0;
    size_t used = 0;
    buffer[0] = '\0';
    const char* stored = StoredAddress(link);
    if (stored != nullptr) {
        AppendTruncated(buffer, size, used, stored);
        return static_cast<LRESULT>(used);
    }
    // Without a stored address the window text is a bare host name.
    char* text = new (std::nothrow) char[size];
    if (text != nullptr) {
        int capacity = size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(size);
        if (GetWindowTextA(link, text, capacity) <= 0) text[0] = '\0';
    }
    AppendTruncated(buffer, size, used, "http://");
    if (text != nullptr) AppendTruncated(buffer, size, used, text);
    delete[] text;
    return static_cast<LRESULT>(used);
}

void OnLButtonDown(HWND link)
{
    char address[clickAddressSize];
    SendMessageA(link, HLM_GETADDRESS, sizeof(address), reinterpret_cast<LPARAM>(address));
    OpenAddress(GetParent(link), address);
}

void OnPaint(HWND link)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(link, &paint);
    if (dc == nullptr) return;
    int saved = SaveDC(dc);

    SelectObject(dc, GetStockObject(GRAY_BRUSH));
    SelectObject(dc, GetStockObject(NULL_PEN));
    SetBkMode(dc, TRANSPARENT);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0));
    if (font != nullptr) SelectObject(dc, font);
    // The parent chooses the colours, as it does for any static control.
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(link), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link)));
    if (brush != nullptr) SelectObject(dc, brush);

    RECT client;
    GetClientRect(link, &client);
    // A rectangle drawn with the null pen leaves out its right and bottom edges.
    Rectangle(dc, client.left, client.top, client.right + 1, client.bottom + 1);

    char text[256];
    int length = GetWindowTextA(link, text, sizeof(text));
    if (length < 0) length = 0;
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &extent);
    int x = client.left;
    if ((GetWindowLongA(link, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER) {
        x = client.left + (client.right - client.left - extent.cx) / 2;
    }
    TextOutA(dc, x, client.top, text, length);

    HPEN pen = nullptr;
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics) && !metrics.tmUnderlined) {
        pen = CreatePen(PS_SOLID, 1, GetTextColor(dc));
        if (pen != nullptr) {
            int y = client.top + metrics.tmAscent + 2;
            SelectObject(dc, pen);
            MoveToEx(dc, x, y, nullptr);
            LineTo(dc, x + extent.cx, y);
        }
    }

    RestoreDC(dc, saved);
    if (pen != nullptr) DeleteObject(pen);
    EndPaint(link, &paint);
}

LRESULT CALLBACK HyperLinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint(link);
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(link);
        return 0;
    case WM_NCHITTEST:
        // A static control without SS_NOTIFY is transparent to the mouse; a link must take the click
        // and show its own cursor over the whole client area.
        return HTCLIENT;
    case HLM_SETADDRESS:
        return OnSetAddress(link, reinterpret_cast<const char*>(lParam));
    case HLM_GETADDRESS:
        return OnGetAddress(link, static_cast<size_t>(wParam), reinterpret_cast<char*>(lParam));
    case WM_NCDESTROY:
        ForgetAddress(link);
        break;
    default:
        break;
    }
    return CallWindowProcA(staticProc, link, message, wParam, lParam);
}
}  // namespace

bool RegisterHyperLinkClass(HINSTANCE instance)
{
    WNDCLASSEXA linkClass = {};
    linkClass.cbSize = sizeof(linkClass);
    if (!GetClassInfoExA(nullptr, "STATIC", &linkClass)) return false;
    staticProc = linkClass.lpfnWndProc;
    linkClass.cbSize = sizeof(linkClass);
    linkClass.lpfnWndProc = HyperLinkProc;
    linkClass.hInstance = instance;
    linkClass.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTING_HAND));
    linkClass.lpszClassName = hyperLinkClassName;
    linkClass.lpszMenuName = nullptr;
    if (RegisterClassExA(&linkClass) != 0) return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
