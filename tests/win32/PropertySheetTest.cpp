// The settings sheet, run modally as the program runs it and driven from a thread timer inside its
// message loop: pages are switched, controls read and changed with messages, and the sheet closed
// with OK or Cancel. The registry is checked directly.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "resources/resource.h"
#include "settings/RunMode.h"
#include "settings/Settings.h"
#include "settings/win32/FileDialog.h"
#include "settings/win32/HyperLink.h"
#include "settings/win32/PropertySheet.h"
#include "tests/ScreenCapture.h"
#include "tests/SettingsRegistry.h"
#include "tests/TempFiles.h"
#include "win32/AppTestSupport.h"

using namespace settings_registry;

namespace {
enum PageIndex { AboutPage = 0, SightsPage = 1, SoundsPage = 2, SpeedPage = 3, FireworksPage = 4 };

typedef std::function<void(HWND sheet)> SheetScript;
SheetScript* pendingScript = nullptr;
UINT_PTR scriptTimer = 0;
bool scriptRan = false;

// The timer fires inside the sheet's modal loop, where the sheet is this thread's active window.
void CALLBACK RunScript(HWND, UINT, UINT_PTR, DWORD)
{
    HWND sheet = GetActiveWindow();
    if (sheet == nullptr || PropSheet_GetCurrentPageHwnd(sheet) == nullptr || pendingScript == nullptr) return;
    KillTimer(nullptr, scriptTimer);
    SheetScript* script = pendingScript;
    pendingScript = nullptr;
    scriptRan = true;
    (*script)(sheet);
    // A script that stopped early (a failed assertion) still closes the sheet.
    if (IsWindow(sheet) && PropSheet_GetCurrentPageHwnd(sheet) != nullptr) PropSheet_PressButton(sheet, PSBTN_CANCEL);
}

// Runs the sheet for `settings` as the program does and plays `script` inside it.
bool RunSheet(Settings& settings, SheetScript script)
{
    pendingScript = &script;
    scriptRan = false;
    scriptTimer = SetTimer(nullptr, 0, 20, RunScript);
    bool ok = RunPropertySheet(settings, nullptr);
    KillTimer(nullptr, scriptTimer);
    pendingScript = nullptr;
    EXPECT_TRUE(scriptRan) << "the sheet never showed up";
    return ok;
}

HWND ShowPage(HWND sheet, int index)
{
    PropSheet_SetCurSel(sheet, nullptr, index);
    return PropSheet_GetCurrentPageHwnd(sheet);
}

std::string Text(HWND page, int id)
{
    char text[300] = "";
    GetDlgItemTextA(page, id, text, sizeof(text));
    return text;
}

bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
void Click(HWND page, int id) { SendDlgItemMessageA(page, id, BM_CLICK, 0, 0); }

// The file dialog stand-in: answers with `chosenPath`, or cancels.
const char* chosenPath = nullptr;

BOOL WINAPI FakeOpenFileName(OPENFILENAMEA* request)
{
    if (chosenPath == nullptr) return FALSE;
    std::snprintf(request->lpstrFile, request->nMaxFile, "%s", chosenPath);
    return TRUE;
}

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TearDown();
        SetOpenFileNameFunction(FakeOpenFileName);
    }
    void TearDown() override
    {
        SetOpenFileNameFunction(nullptr);
        DeleteModeKey("interactive");
        DeleteModeKey("screensaver");
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
};
}  // namespace

TEST_F(PropertySheetTest, SlidersShowLiveLabelsLeavingAPageCommitsAndCancelDiscards)
{
    ASSERT_TRUE(PutDword("interactive", "Gravity", 700));
    Settings settings(instance, Interactive);
    bool ok = RunSheet(settings, [&settings](HWND sheet) {
        HWND sights = ShowPage(sheet, SightsPage);
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), "700 cm/s\xB2");
        // The keyboard moves the thumbs and the trackbars themselves report the scroll.
        SendDlgItemMessageA(sights, IDC_WIND, WM_KEYDOWN, VK_HOME, 0);
        EXPECT_EQ(Text(sights, IDC_WIND_LABEL), "-500 cm/s");
        SendDlgItemMessageA(sights, IDC_GRAVITY, WM_KEYDOWN, VK_END, 0);
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), "1500 cm/s\xB2");
        EXPECT_EQ(settings.GetGravity(), 700) << "nothing is stored while the page is active";
        ShowPage(sheet, SpeedPage);
        EXPECT_EQ(settings.GetGravity(), 1500);
        PropSheet_PressButton(sheet, PSBTN_CANCEL);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(settings.GetGravity(), 700);
    EXPECT_EQ(GetDword("interactive", "Gravity"), 700u) << "cancel stores nothing";
}

TEST_F(PropertySheetTest, MusicControlsFollowTheSourceDefaultsResetTheirPageAndFilesAreChosenAndChecked)
{
    ASSERT_TRUE(PutDword("interactive", "Music", 0));
    ASSERT_TRUE(PutDword("interactive", "FrameRate", 20));
    const std::string script = WriteTemp("fw_page_script.txt", "R t\n");
    const std::string other = WriteTemp("fw_page_other.txt", "R cFF00FF p0 t\ngwm t\n");
    Settings settings(instance, Interactive);
    RunSheet(settings, [&](HWND sheet) {
        HWND sounds = ShowPage(sheet, SoundsPage);
        // Which of music, CD, MIDI, track label, track, spin, file and Browse are on, as "10000000".
        auto state = [&sounds]() {
            std::string flags = IsDlgButtonChecked(sounds, IDC_MUSIC) == BST_CHECKED ? "1" : "0";
            for (int id : {IDC_MUSIC_CD, IDC_MUSIC_MIDI, IDC_TRACK_LABEL, IDC_TRACK, IDC_TRACK_SPIN, IDC_MIDI_FILE,
                           IDC_BROWSE})
                flags += Enabled(sounds, id) ? '1' : '0';
            return flags;
        };
        EXPECT_EQ(state(), "00000000") << "music off";
        Click(sounds, IDC_DEFAULTS);
        EXPECT_EQ(state(), "11100011") << "the default: a MIDI file";
        chosenPath = "C:\\music\\chosen.mid";
        Click(sounds, IDC_BROWSE);
        Click(sounds, IDC_MUSIC_CD);
        EXPECT_EQ(state(), "11111100") << "compact disc";
        SetDlgItemTextA(sounds, IDC_TRACK, "42");
        Click(ShowPage(sheet, SpeedPage), IDC_DEFAULTS);

        HWND page = ShowPage(sheet, FireworksPage);
        SetDlgItemTextA(page, IDC_SCRIPT_FILE, script.c_str());
        EXPECT_EQ(Text(page, IDC_SCRIPT_STATUS), "1 firework, all usable.");
        // A chosen file is taken and checked at once.
        chosenPath = other.c_str();
        Click(page, IDC_SCRIPT_BROWSE);
        EXPECT_EQ(Text(page, IDC_SCRIPT_STATUS), "2 fireworks, all usable.");
        Click(page, IDC_SCRIPT_OWN);
        PropSheet_PressButton(sheet, PSBTN_OK);  // OK stores the active page too
    });
    const char* stored[] = {"Music", "MusicMode", "CDTrack", "FrameRate", "ScriptUse"};
    const uint32_t saved[] = {1, 1, 42, 50, 1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(GetDword("interactive", stored[i]), saved[i]) << stored[i];
    Settings back(instance, Interactive);
    EXPECT_STREQ(back.GetMIDIFile(), "C:\\music\\chosen.mid");
    EXPECT_EQ(back.GetScriptFile(), other);
}

namespace {
// Why a control of `page` would not show in full, or "" when it does: it must lie inside the page,
// and its text, in its own font, must fit beside the box of a check box or radio button, inside a
// button's edges, or in a static's lines.
std::string Clipping(HWND page, HWND control)
{
    RECT pageRect, box;
    GetClientRect(page, &pageRect);
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&box), 2);
    char text[256] = "", className[32] = "";
    GetWindowTextA(control, text, sizeof(text));
    GetClassNameA(control, className, sizeof(className));
    if (box.left < 0 || box.top < 0 || box.right > pageRect.right || box.bottom > pageRect.bottom)
        return std::string(text) + " lies outside its page";
    const LONG style = GetWindowLongA(control, GWL_STYLE), type = style & BS_TYPEMASK;
    const bool isButton = lstrcmpiA(className, "Button") == 0;
    const bool isStatic = lstrcmpiA(className, "Static") == 0 || lstrcmpA(className, hyperLinkClassName) == 0;
    if (text[0] == '\0' || !(isButton || isStatic) || (isStatic && (style & SS_TYPEMASK) == SS_ICON)) return "";
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    const bool checkable = isButton && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && type != BS_GROUPBOX;
    const LONG room = box.right - box.left - (checkable ? GetSystemMetrics(SM_CXMENUCHECK) + metrics.tmAveCharWidth / 2
                                              : isButton ? 2 * GetSystemMetrics(SM_CXEDGE) : 0);
    RECT needed = {0, 0, room, 0};
    const bool severalLines = isStatic && box.bottom - box.top >= 2 * metrics.tmHeight;
    DrawTextA(dc, text, -1, &needed, DT_CALCRECT | (severalLines ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    if (needed.right <= room && needed.bottom <= box.bottom - box.top) return "";
    return std::string(text) + " needs " + std::to_string(needed.right) + " pixels, has " + std::to_string(room);
}
}  // namespace

// The wrapper runs this once more at 120 and at 144 dots per inch (FW_LOG_PIXELS). Each run leaves a
// screenshot of each page under screenshots/. Having seen every page, OK finds nothing to store.
TEST_F(PropertySheetTest, NoControlIsClippedAtThisDisplayResolutionAndOkOnAnUnchangedRecordWritesNothing)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    const char* requested = std::getenv("FW_LOG_PIXELS");
    ASSERT_EQ(dpi, requested != nullptr ? std::atoi(requested) : dpi) << "the display resolution was not applied";
    Settings settings(instance, ScreenSaver);
    RunSheet(settings, [dpi, screen](HWND sheet) {
        const int pages = TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet));
        for (int index = 0; index < pages; ++index) {
            HWND page = ShowPage(sheet, index);
            for (HWND control = GetWindow(page, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
                EXPECT_EQ(Clipping(page, control), "") << "page " << index << " at " << dpi;
            // The manifest (this test program carries the product's resources) brings Common Controls 6,
            // whose buttons alone know their ideal size.
            SIZE ideal = {};
            EXPECT_TRUE(GetDlgItem(page, IDC_DEFAULTS) == nullptr ||
                        SendDlgItemMessageA(page, IDC_DEFAULTS, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
            Pump(200);
            RECT r;
            GetWindowRect(sheet, &r);
            const std::string name = "sheet-" + std::to_string(dpi) + "dpi-page" + std::to_string(index);
            const Screenshot shot = CaptureDc(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, name);
            if (index != AboutPage) continue;
            // On the About page's black, the product name shows in red and the link in blue.
            for (uint32_t colour : {0xFF0000u, 0x0000FFu})
                EXPECT_GT(std::count(shot.pixels.begin(), shot.pixels.end(), colour), 100) << std::hex << colour;
        }
        PropSheet_PressButton(sheet, PSBTN_OK);
    });
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(GetDword("screensaver", "Gravity"), 0xDEADBEEFu);
}
