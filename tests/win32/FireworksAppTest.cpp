// The application object in-process: its window, its answers to keys, mouse and private messages,
// and the GDI frame. The test program carries the product's resources, so the scripts are there.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/win32/FireworksApp.h"
#include "engine/SparkQueue.h"
#include "tests/SettingsRegistry.h"
#include "win32/AppTestSupport.h"

namespace {
int CursorCount()
{
    int count = ShowCursor(TRUE);
    ShowCursor(FALSE);
    return count - 1;
}

// The notice Windows 8 and later send when the display changes (GUID_CONSOLE_DISPLAY_STATE, 4 bytes of
// state: 0 off, 1 on, 2 dimmed).
void DeliverDisplayState(HWND window, DWORD state)
{
    const DWORD notice[] = {0x6FE69556, 0x47A0704A, 0x8DC2248F, 0x47DA6F93, sizeof(DWORD), state};
    SendMessageA(window, WM_POWERBROADCAST, 0x8013, reinterpret_cast<LPARAM>(notice));  // PBT_POWERSETTINGCHANGE
}
}  // namespace

TEST(FireworksApp, FullScreenSaverEndsOnInputBeyondItsMouseAllowanceAndRefusesToBeReplaced)
{
    settings_registry::DeleteModeKey("screensaver");
    // The mouse moves a show survives, without and with one more activation, which raises the
    // allowance; then keys and buttons, any one of which ends it. WM_KEYDOWN ends every end-to-end run.
    const UINT inputs[] = {WM_MOUSEMOVE, WM_MOUSEMOVE, WM_SYSKEYDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    uint32_t survived[5] = {};
    for (int i = 0; i < 5; ++i) {
        FireworksApp app(ScreenSaver, GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(app.IsUsable());
        HWND window = app.Window();
        Pump(300);
        EXPECT_EQ(app.State(), Running);
        EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
        EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
        if (i == 1) SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
        while (survived[i] < 100 && IsWindow(window)) {
            SendMessageA(window, inputs[i], inputs[i] == WM_MOUSEMOVE ? 0 : 'Q', MAKELPARAM(survived[i], 0));
            if (IsWindow(window)) ++survived[i];
        }
        EXPECT_EQ(app.State(), NotStarted);
        EXPECT_TRUE(i < 2 || survived[i] == 0) << inputs[i];
    }
    EXPECT_GE(survived[0], 5u);
    EXPECT_EQ(survived[1], survived[0] + 1);
}

TEST(FireworksApp, InteractiveKeysMessagesResizeAndDisplayOff)
{
    settings_registry::DeleteModeKey("interactive");
    FireworksApp app(Interactive, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(app.IsUsable());
    HWND window = app.Window();
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);  // nothing to pause yet
    EXPECT_EQ(app.State(), NotStarted);
    SendMessageA(window, WM_FW_RESUME, 0, 0);
    ASSERT_EQ(app.State(), Running);

    int cursor = CursorCount();
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(app.State(), Paused);
    EXPECT_EQ(CursorCount(), cursor + 1);  // every pause shows the cursor
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(app.State(), Running);
    SendMessageA(window, WM_FW_PAUSE, 0, 0);
    ASSERT_EQ(app.State(), Paused);
    SendMessageA(window, WM_KEYDOWN, VK_NUMPAD5, 0);  // keypad digits do nothing
    EXPECT_EQ(app.State(), Paused);
    ASSERT_EQ(app.Queue()->Count(), 0u);

    SendMessageA(window, WM_KEYDOWN, '5', 0);  // five fireworks, and the show resumes
    EXPECT_EQ(app.State(), Running);
    EXPECT_EQ(app.Queue()->Count(), 5u);

    // With the display off the show and its sound stop until it is back (dimmed is still seen); a
    // show paused by its user stays paused. Run once more with a sound device (win32_sound_capture).
    for (int i = 0; i < 20 && VoicesPlaying(app.Sounds()) == 0; ++i) SendMessageA(window, WM_FW_TICK, 0, 0);
    const int sounding = VoicesPlaying(app.Sounds());
    ASSERT_NE(sounding, 0) << "the rockets took off without a sound";
    DeliverDisplayState(window, 2);
    EXPECT_EQ(app.State(), Running);
    DeliverDisplayState(window, 0);
    EXPECT_EQ(app.State(), Paused);
    EXPECT_EQ(VoicesPlaying(app.Sounds()), sounding < 0 ? -1 : 0) << "sound went on with the display off";
    DeliverDisplayState(window, 1);
    EXPECT_EQ(app.State(), Running);
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    DeliverDisplayState(window, 0);
    DeliverDisplayState(window, 1);
    EXPECT_EQ(app.State(), Paused);

    // Resizing rebuilds the GDI picture and the backdrop at the new client size.
    ShowWindow(window, SW_RESTORE);
    SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
    Pump(200);
    RECT client;
    GetClientRect(window, &client);
    ASSERT_NE(app.Display(), nullptr);
    EXPECT_EQ(app.Display()->Mode().width, static_cast<uint32_t>(client.right));
    EXPECT_EQ(app.Display()->Mode().height, static_cast<uint32_t>(client.bottom));
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(IsWindow(window));
}
