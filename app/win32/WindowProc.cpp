// The main window's procedure: the application object is attached to its window when the window is
// made (WM_NCCREATE), and each message it handles goes to a small handler of its own through one table.
// A window without an application (before WM_NCCREATE, or after the show shut down) gets Windows's
// default processing only.
#include "app/win32/FireworksApp.h"

#include "audio/win32/SoundBank.h"
#include "render/win32/GdiTarget.h"

namespace {
FireworksApp* AttachedApp(HWND hwnd) { return reinterpret_cast<FireworksApp*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }
}  // namespace

const FireworksApp::HandledMessage FireworksApp::handledMessages[] = {
    {WM_DESTROY, &FireworksApp::OnDestroy},
    {WM_SIZE, &FireworksApp::OnSize},
    {WM_ACTIVATE, &FireworksApp::OnActivation},
    {WM_ACTIVATEAPP, &FireworksApp::OnActivation},
    {WM_NCACTIVATE, &FireworksApp::OnActivation},
    {WM_CLOSE, &FireworksApp::OnClose},
    {WM_PAINT, &FireworksApp::OnPaint},
    {WM_ERASEBKGND, &FireworksApp::OnBackground},
    {WM_NCPAINT, &FireworksApp::OnBackground},
    {WM_KEYDOWN, &FireworksApp::OnKey},
    {WM_SYSKEYDOWN, &FireworksApp::OnKey},
    {WM_SYSCOMMAND, &FireworksApp::OnSysCommand},
    {WM_MOUSEMOVE, &FireworksApp::OnMouseMove},
    {WM_LBUTTONDOWN, &FireworksApp::OnMouseButton},
    {WM_RBUTTONDOWN, &FireworksApp::OnMouseButton},
    {WM_MBUTTONDOWN, &FireworksApp::OnMouseButton},
    {WM_POWERBROADCAST, &FireworksApp::OnPowerBroadcast},
    {WM_FW_LAUNCH, &FireworksApp::OnLaunch},
    {WM_FW_PAUSE, &FireworksApp::OnPause},
    {WM_FW_RESUME, &FireworksApp::OnResume},
    {WM_FW_TICK, &FireworksApp::OnTick},
};

LRESULT CALLBACK FireworksApp::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    } else if (FireworksApp* app = AttachedApp(hwnd)) {
        for (const HandledMessage& handled : handledMessages)
            if (handled.message == message) return (app->*handled.handler)(hwnd, message, wParam, lParam);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT FireworksApp::OnDestroy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Shutdown();
    PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT FireworksApp::OnSize(HWND, UINT, WPARAM, LPARAM lParam)
{
    Resize(LOWORD(lParam), HIWORD(lParam));
    return 0;
}

LRESULT FireworksApp::OnActivation(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != 0) {
        PostMessageA(hwnd, WM_FW_RESUME, 0, 0);
        ++mouseMovesLeft;  // showing the window under the cursor produces mouse moves
    } else {
        SendMessageA(hwnd, WM_FW_PAUSE, 0, 0);
        if (mode == ScreenSaver) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The window is gone afterwards; default processing would only try to destroy it again.
LRESULT FireworksApp::OnClose(HWND hwnd, UINT, WPARAM, LPARAM)
{
    DestroyWindow(hwnd);
    return 0;
}

LRESULT FireworksApp::OnPaint(HWND hwnd, UINT, WPARAM, LPARAM)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc != nullptr && display) {
        GdiTarget target(dc);
        display->Paint(target, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

// A back-end that owns the screen draws every pixel itself; the window must not paint over it.
LRESULT FireworksApp::OnBackground(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (display && display->OwnsScreen()) return 0;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT FireworksApp::OnKey(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HandleKey(wParam);
    if (!IsWindow(hwnd)) return 0;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// No other screen saver replaces a running show, and the screen saver cannot be closed from its
// system menu (a key or the mouse ends it).
LRESULT FireworksApp::OnSysCommand(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (wParam == SC_SCREENSAVE) return 0;
    if (wParam == SC_CLOSE && mode == ScreenSaver) return 0;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT FireworksApp::OnMouseMove(HWND, UINT, WPARAM, LPARAM)
{
    if (!IsFullScreenSaver()) return 0;
    if (mouseMovesLeft > 0)
        --mouseMovesLeft;
    else
        SendMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT FireworksApp::OnMouseButton(HWND, UINT, WPARAM, LPARAM)
{
    if (IsFullScreenSaver()) SendMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}

// While the display is off nobody sees or hears the show: it stops drawing (a paused show does not
// tick), falls silent and pauses its music, and goes on when the display is back, unless it had been
// paused already.
LRESULT FireworksApp::OnPowerBroadcast(HWND, UINT, WPARAM wParam, LPARAM lParam)
{
    DisplayChange change = DisplayPowerWatch::Read(wParam, lParam);
    if (change == DisplaySwitchedOff && runState == Running) {
        Pause();
        if (soundBank) soundBank->StopAll();
        pausedForDisplay = true;
    } else if (change == DisplaySwitchedOn && pausedForDisplay) {
        pausedForDisplay = false;
        if (runState == Paused) Resume();
    }
    return TRUE;
}

LRESULT FireworksApp::OnLaunch(HWND, UINT, WPARAM wParam, LPARAM)
{
    LaunchFireworks(static_cast<uint32_t>(wParam));
    return 0;
}

LRESULT FireworksApp::OnPause(HWND, UINT, WPARAM, LPARAM)
{
    Pause();
    return 0;
}

LRESULT FireworksApp::OnResume(HWND, UINT, WPARAM, LPARAM)
{
    Resume();
    return 0;
}

LRESULT FireworksApp::OnTick(HWND, UINT, WPARAM, LPARAM)
{
    Tick();
    return 0;
}
