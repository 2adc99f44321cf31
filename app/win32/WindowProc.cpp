// The main window's procedure: looks the application up in the window's user data and hands each
// message to a small handler. Without an application attached only default processing happens.
#include "app/win32/FireworksApp.h"

#include "audio/win32/SoundBank.h"
#include "render/win32/GdiTarget.h"

namespace {
FireworksApp* AttachedApp(HWND hwnd) { return reinterpret_cast<FireworksApp*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }
}  // namespace

LRESULT FireworksApp::OnActivation(HWND hwnd, WPARAM wParam)
{
    if (LOWORD(wParam) != 0) {
        PostMessageA(hwnd, WM_FW_RESUME, 0, 0);
        ++mouseMovesLeft;  // showing the window under the cursor produces mouse moves
    } else {
        SendMessageA(hwnd, WM_FW_PAUSE, 0, 0);
        if (mode == ScreenSaver) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    }
    return 0;
}

LRESULT FireworksApp::OnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc != nullptr && display != nullptr) {
        GdiTarget target(dc);
        display->Paint(target, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT FireworksApp::OnMouseMove()
{
    if (!IsFullScreenSaver()) return 0;
    if (mouseMovesLeft > 0)
        --mouseMovesLeft;
    else
        SendMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT FireworksApp::OnMouseButton()
{
    if (IsFullScreenSaver()) SendMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}

// While the display is off nobody sees or hears the show: it stops drawing (a paused show does not
// tick), falls silent and pauses its music, and goes on when the display is back, unless it had been
// paused already.
LRESULT FireworksApp::OnPowerBroadcast(WPARAM wParam, LPARAM lParam)
{
    DisplayChange change = DisplayPowerWatch::Read(wParam, lParam);
    if (change == DisplaySwitchedOff && runState == Running) {
        Pause();
        if (soundBank != nullptr) soundBank->StopAll();
        pausedForDisplay = true;
    } else if (change == DisplaySwitchedOn && pausedForDisplay) {
        pausedForDisplay = false;
        if (runState == Paused) Resume();
    }
    return TRUE;
}

LRESULT CALLBACK FireworksApp::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        const CREATESTRUCTA* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    FireworksApp* app = AttachedApp(hwnd);
    switch (message) {
    case WM_DESTROY:
        if (app != nullptr) app->Shutdown();
        PostQuitMessage(0);
        break;
    case WM_SIZE:
        if (app != nullptr) app->Resize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        if (app != nullptr) app->OnActivation(hwnd, wParam);
        break;
    case WM_CLOSE:
        // The window is gone afterwards; default processing would only try to destroy it again.
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT:
        if (app != nullptr) return app->OnPaint(hwnd);
        break;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
        if (app != nullptr && app->display != nullptr && app->display->OwnsScreen()) return 0;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (app != nullptr) app->HandleKey(wParam);
        if (!IsWindow(hwnd)) return 0;
        break;
    case WM_SYSCOMMAND:
        if (wParam == SC_SCREENSAVE) return 0;
        if (wParam == SC_CLOSE && app != nullptr && app->mode == ScreenSaver) return 0;
        break;
    case WM_MOUSEMOVE:
        return app != nullptr ? app->OnMouseMove() : 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return app != nullptr ? app->OnMouseButton() : 0;
    case WM_POWERBROADCAST:
        if (app != nullptr) return app->OnPowerBroadcast(wParam, lParam);
        break;
    case WM_FW_LAUNCH:
        if (app == nullptr) break;
        app->LaunchFireworks(static_cast<uint32_t>(wParam));
        return 0;
    case WM_FW_PAUSE:
        if (app == nullptr) break;
        app->Pause();
        return 0;
    case WM_FW_RESUME:
        if (app == nullptr) break;
        app->Resume();
        return 0;
    case WM_FW_TICK:
        if (app == nullptr) break;
        app->Tick();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
