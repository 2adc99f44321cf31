#include "app/win32/BlackoutWindows.h"

namespace {
const char blackoutClassName[] = "VokFireworksBlackout";
ATOM blackoutClassAtom = 0;
}  // namespace

LRESULT BlackoutWindows::OnInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND target = reinterpret_cast<HWND>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (target != nullptr && IsWindow(target)) SendMessageA(target, message, wParam, lParam);
    return 0;
}

LRESULT CALLBACK BlackoutWindows::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams));
        break;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // a click still arrives, and ends the show as a click on it does
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return OnInput(hwnd, message, wParam, lParam);
    case WM_SYSCOMMAND:
        if (wParam == SC_SCREENSAVE || wParam == SC_CLOSE) return 0;
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void BlackoutWindows::Cover(HINSTANCE instance, HWND showWindow, const std::vector<ScreenRect>& areas)
{
    if (areas.empty()) return;
    if (blackoutClassAtom == 0) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW; the show hides it anyway
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = blackoutClassName;
        blackoutClassAtom = RegisterClassA(&wc);
        if (blackoutClassAtom == 0) return;
    }
    for (const ScreenRect& area : areas) {
        HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, blackoutClassName, "",
                                      WS_POPUP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                                      nullptr, nullptr, instance, showWindow);
        if (window == nullptr) continue;
        ShowWindow(window, SW_SHOWNOACTIVATE);
        windows.push_back(window);
    }
}

void BlackoutWindows::Release()
{
    for (HWND window : windows) DestroyWindow(window);
    windows.clear();
}
