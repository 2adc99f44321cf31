#include "app/FireworksApp.h"

namespace {
ATOM windowClassAtom = 0;
const char windowClassName[] = "VokFireworks";
}

bool FireworksApp::RegisterWindowClass(HINSTANCE instance)
{
    if (windowClassAtom != 0) return true;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.cbWndExtra = 4;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = windowClassName;
    windowClassAtom = RegisterClassExA(&wc);
    return windowClassAtom != 0;
}

FireworksApp::FireworksApp(RunMode mode_, HINSTANCE instance, HWND parentWindow_)
    : mode(mode_), window(nullptr), parentWindow(parentWindow_)
{
    if (!RegisterWindowClass(instance)) return;
    DWORD style = WS_VISIBLE | (mode == Interactive ? WS_OVERLAPPEDWINDOW : WS_POPUP);
    window = CreateWindowExA(0, windowClassName, "Brelkora Fireworks", style, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    if (window != nullptr) ShowWindow(window, SW_SHOWMAXIMIZED);
}

FireworksApp::~FireworksApp() { Shutdown(); }

int FireworksApp::Run()
{
    MSG msg;
    for (;;) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) return -1;
        if (got == 0) return static_cast<int>(msg.wParam);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void FireworksApp::HandleKey(WPARAM key)
{
    if (key == VK_ESCAPE) SendMessageA(window, WM_CLOSE, 0, 0);
}

void FireworksApp::Shutdown()
{
    mode = 0;
    window = nullptr;
}

LRESULT CALLBACK FireworksApp::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        const CREATESTRUCTA* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    FireworksApp* app = reinterpret_cast<FireworksApp*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_KEYDOWN:
        if (app != nullptr) app->HandleKey(wParam);
        break;
    case WM_DESTROY:
        if (app != nullptr) app->Shutdown();
        PostQuitMessage(0);
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
