// The settings sheet, run modally as the program runs it and driven from a thread timer inside its
// message loop: pages are switched, controls read and changed with messages, and the sheet closed
// with OK or Cancel. The registry is checked directly.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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

BOOL CALLBACK FindSheetWindow(HWND window, LPARAM found)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof(className));
    if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK RunScript(HWND, UINT, UINT_PTR, DWORD)
{
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSheetWindow, reinterpret_cast<LPARAM>(&sheet));
    if (sheet == nullptr || pendingScript == nullptr) return;
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

void PressOk(HWND sheet) { PropSheet_PressButton(sheet, PSBTN_OK); }
void PressCancel(HWND sheet) { PropSheet_PressButton(sheet, PSBTN_CANCEL); }

std::string Text(HWND page, int id)
{
    char text[300] = "";
    GetDlgItemTextA(page, id, text, sizeof(text));
    return text;
}

LRESULT Send(HWND page, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendDlgItemMessageA(page, id, message, wParam, lParam);
}

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
void Click(HWND page, int id) { Send(page, id, BM_CLICK); }

// Moves a slider the way dragging its thumb does: new position, then the scroll notification.
void Drag(HWND page, int id, int position)
{
    HWND trackbar = GetDlgItem(page, id);
    SendMessageA(trackbar, TBM_SETPOS, TRUE, position);
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(trackbar));
}

// A slider's range, page size, ticks between the ends ("a,b"), position and buddies, as one line.
std::string DescribeSlider(HWND page, int id)
{
    std::string facts = std::to_string(Send(page, id, TBM_GETRANGEMIN)) + ".." +
                        std::to_string(Send(page, id, TBM_GETRANGEMAX)) +
                        " page " + std::to_string(Send(page, id, TBM_GETPAGESIZE)) + " ticks ";
    LRESULT count = Send(page, id, TBM_GETNUMTICS);
    for (LRESULT i = 0; i + 2 < count; ++i) {
        facts += (i > 0 ? "," : "") + std::to_string(Send(page, id, TBM_GETTIC, static_cast<WPARAM>(i)));
    }
    facts += " at " + std::to_string(Send(page, id, TBM_GETPOS));
    bool buddies = reinterpret_cast<HWND>(Send(page, id, TBM_GETBUDDY, TRUE)) == GetDlgItem(page, id + 1) &&
                   reinterpret_cast<HWND>(Send(page, id, TBM_GETBUDDY, FALSE)) == GetDlgItem(page, id + 2);
    return facts + (buddies ? "" : " without its buddies");
}

// Pairs of description and pattern, ending in an empty description.
const char midiFilter[] = "MIDI files (*.mid, *.midi)\0*.mid;*.midi\0All files (*.*)\0*.*\0";

// The file dialog stand-in: records the request and answers with `chosenPath`, or cancels.
OPENFILENAMEA lastRequest;
std::string lastFilter, lastInitialFile;
int dialogCalls = 0;
const char* chosenPath = nullptr;

BOOL WINAPI FakeOpenFileName(OPENFILENAMEA* request)
{
    ++dialogCalls;
    lastRequest = *request;
    size_t length = 0;  // the filter pairs end in an empty description: two NULs in a row
    while (request->lpstrFilter[length] != '\0' || request->lpstrFilter[length + 1] != '\0') ++length;
    lastFilter.assign(request->lpstrFilter, length + 2);
    lastInitialFile = request->lpstrFile;
    if (chosenPath == nullptr) return FALSE;
    std::snprintf(request->lpstrFile, request->nMaxFile, "%s", chosenPath);
    return TRUE;
}

const char gravityLabel980[] = "980 cm/s\xB2";

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TearDown();
        dialogCalls = 0;
        chosenPath = nullptr;
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

TEST_F(PropertySheetTest, SlidersCarryTheirRangesTicksAndLiveLabels)
{
    Settings settings(instance, Interactive);
    bool ok = RunSheet(settings, [](HWND sheet) {
        char caption[64] = "";
        GetWindowTextA(sheet, caption, sizeof(caption));
        EXPECT_STREQ(caption, "Brelkora Fireworks");
        HWND about = PropSheet_GetCurrentPageHwnd(sheet);
        ASSERT_NE(GetDlgItem(about, IDC_ABOUT_LINK), nullptr) << "the sheet opens on the About page";

        HWND sights = ShowPage(sheet, SightsPage);
        EXPECT_EQ(DescribeSlider(sights, IDC_GRAVITY), "0..1500 page 150 ticks 980 at 980");
        EXPECT_EQ(DescribeSlider(sights, IDC_WIND), "-500..500 page 50 ticks 0,100 at 100");
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), gravityLabel980);
        EXPECT_EQ(Text(sights, IDC_WIND_LABEL), "100 cm/s");
        EXPECT_FALSE(Checked(sights, IDC_STEREO));
        Drag(sights, IDC_WIND, -120);
        EXPECT_EQ(Text(sights, IDC_WIND_LABEL), "-120 cm/s");
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), gravityLabel980) << "a scroll updates only its own label";
        // The keyboard moves the thumb and the trackbar itself reports the scroll.
        Send(sights, IDC_GRAVITY, WM_KEYDOWN, VK_END, 0);
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), "1500 cm/s\xB2");
        // A scroll message from some other window changes no label.
        Send(sights, IDC_GRAVITY, TBM_SETPOS, TRUE, 200);
        SendMessageA(sights, WM_HSCROLL, TB_THUMBTRACK, reinterpret_cast<LPARAM>(GetDlgItem(sights, IDC_STEREO)));
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), "1500 cm/s\xB2");

        HWND speed = ShowPage(sheet, SpeedPage);
        EXPECT_TRUE(Checked(speed, IDC_GDI));
        EXPECT_FALSE(Checked(speed, IDC_DIRECTDRAW));
        EXPECT_EQ(DescribeSlider(speed, IDC_SPARKS), "500..20000 page 500 ticks 5000 at 5000");
        EXPECT_EQ(DescribeSlider(speed, IDC_FRAMERATE), "10..100 page 10 ticks 50 at 50");
        EXPECT_EQ(Text(speed, IDC_SPARKS_LABEL), "5000");
        Drag(speed, IDC_FRAMERATE, 75);
        EXPECT_EQ(Text(speed, IDC_FRAMERATE_LABEL), "75 frames/s");
        Drag(speed, IDC_SPARKS, 12500);
        EXPECT_EQ(Text(speed, IDC_SPARKS_LABEL), "12500");
        PressCancel(sheet);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(settings.GetWind(), 100);
    EXPECT_EQ(settings.GetFrameRate(), 50u);
    EXPECT_EQ(ValueCount("interactive"), 0);
}

TEST_F(PropertySheetTest, MusicControlsFollowTheEnablingRule)
{
    Settings settings(instance, Interactive);
    RunSheet(settings, [&settings](HWND sheet) {
        HWND sounds = ShowPage(sheet, SoundsPage);
        EXPECT_TRUE(Checked(sounds, IDC_SOUND_EFFECTS));
        EXPECT_TRUE(Checked(sounds, IDC_MUSIC));
        EXPECT_TRUE(Checked(sounds, IDC_MUSIC_MIDI));
        EXPECT_FALSE(Checked(sounds, IDC_MUSIC_CD));
        EXPECT_EQ(Text(sounds, IDC_TRACK), "1");
        EXPECT_EQ(Text(sounds, IDC_MIDI_FILE), DefaultMidiPath());
        EXPECT_EQ(Send(sounds, IDC_TRACK, EM_GETLIMITTEXT), 3);
        EXPECT_EQ(Send(sounds, IDC_MIDI_FILE, EM_GETLIMITTEXT), 260);
        int low = 0, high = 0;
        Send(sounds, IDC_TRACK_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 1);
        EXPECT_EQ(high, 999);
        EXPECT_EQ(reinterpret_cast<HWND>(Send(sounds, IDC_TRACK_SPIN, UDM_GETBUDDY)), GetDlgItem(sounds, IDC_TRACK));

        // Which of CD, MIDI, track label, track, spin, file and Browse are enabled, as "1100011".
        auto enabled = [&sounds]() {
            std::string flags;
            for (int id : {IDC_MUSIC_CD, IDC_MUSIC_MIDI, IDC_TRACK_LABEL, IDC_TRACK, IDC_TRACK_SPIN, IDC_MIDI_FILE,
                           IDC_BROWSE}) {
                flags += Enabled(sounds, id) ? '1' : '0';
            }
            return flags;
        };
        EXPECT_EQ(enabled(), "1100011") << "MIDI file";
        Click(sounds, IDC_MUSIC_CD);
        EXPECT_EQ(enabled(), "1111100") << "compact disc";
        Click(sounds, IDC_MUSIC);
        EXPECT_FALSE(Checked(sounds, IDC_MUSIC));
        EXPECT_EQ(enabled(), "0000000") << "music off";
        EXPECT_TRUE(Enabled(sounds, IDC_SOUND_EFFECTS));
        Click(sounds, IDC_MUSIC);
        EXPECT_EQ(enabled(), "1111100") << "compact disc again";

        // The up-down keeps the typed track in range; text that is not a number is stored as 0.
        SetDlgItemTextA(sounds, IDC_TRACK, "  42xyz");
        ShowPage(sheet, SpeedPage);
        EXPECT_EQ(settings.GetCDTrack(), 42u);
        EXPECT_EQ(settings.GetMusicMode(), Settings::CompactDisc);
        sounds = ShowPage(sheet, SoundsPage);
        EXPECT_EQ(enabled(), "1111100") << "compact disc after a round trip";
        SetDlgItemTextA(sounds, IDC_TRACK, "abc");
        PressOk(sheet);
    });
    EXPECT_EQ(settings.GetCDTrack(), 1u) << "saving validates the 0 that was stored";
    EXPECT_EQ(GetDword("interactive", "CDTrack"), 1u);
    EXPECT_EQ(GetDword("interactive", "MusicMode"), 1u);
}

TEST_F(PropertySheetTest, LeavingAPageCommitsButCancelStillDiscards)
{
    ASSERT_TRUE(PutDword("interactive", "Gravity", 700));
    Settings settings(instance, Interactive);
    ASSERT_FALSE(settings.IsDirty());
    bool ok = RunSheet(settings, [&settings](HWND sheet) {
        HWND sights = ShowPage(sheet, SightsPage);
        EXPECT_EQ(Send(sights, IDC_GRAVITY, TBM_GETPOS), 700);
        Drag(sights, IDC_GRAVITY, 300);
        Click(sights, IDC_STEREO);
        EXPECT_EQ(settings.GetGravity(), 700) << "nothing is stored while the page is active";
        ShowPage(sheet, SoundsPage);
        EXPECT_EQ(settings.GetGravity(), 300);
        EXPECT_EQ(settings.GetStereo(), 1);
        EXPECT_TRUE(settings.IsDirty());
        PressCancel(sheet);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(settings.GetGravity(), 700);
    EXPECT_EQ(settings.GetStereo(), 0);
    EXPECT_FALSE(settings.IsDirty());
    EXPECT_EQ(ValueCount("interactive"), 1);
}

TEST_F(PropertySheetTest, OkWritesOnlyWhenSomethingChanged)
{
    Settings settings(instance, Interactive);
    bool ok = RunSheet(settings, [](HWND sheet) {
        for (int page = AboutPage; page <= FireworksPage; ++page) ShowPage(sheet, page);
        ShowPage(sheet, SightsPage);
        PressOk(sheet);
    });
    EXPECT_TRUE(ok);
    EXPECT_FALSE(settings.IsDirty());
    EXPECT_EQ(ValueCount("interactive"), 0) << "a clean record writes nothing";

    ok = RunSheet(settings, [](HWND sheet) {
        HWND speed = ShowPage(sheet, SpeedPage);
        Click(speed, IDC_DIRECTDRAW);
        Drag(speed, IDC_SPARKS, 7000);
        PressOk(sheet);  // OK stores the active page too
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(ValueCount("interactive"), 13);
    EXPECT_EQ(GetDword("interactive", "DrawMode"), 1u);
    EXPECT_EQ(GetDword("interactive", "SparkLimit"), 7000u);
    EXPECT_EQ(ValueCount("screensaver"), -1) << "the other mode's key is not even created";
}

TEST_F(PropertySheetTest, DefaultsButtonsResetOnlyTheirOwnGroupAndShowIt)
{
    const char* stored[] = {"Gravity", "Stereo", "SoundEffects", "Music", "DrawMode", "FrameRate"};
    const uint32_t values[] = {10, 1, 0, 0, 1, 20};
    for (int i = 0; i < 6; ++i) ASSERT_TRUE(PutDword("interactive", stored[i], values[i]));
    Settings settings(instance, Interactive);
    RunSheet(settings, [&settings](HWND sheet) {
        HWND sights = ShowPage(sheet, SightsPage);
        Click(sights, IDC_DEFAULTS);
        EXPECT_EQ(Send(sights, IDC_GRAVITY, TBM_GETPOS), 980);
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), gravityLabel980);
        EXPECT_FALSE(Checked(sights, IDC_STEREO));
        EXPECT_EQ(settings.GetFrameRate(), 20u);

        HWND sounds = ShowPage(sheet, SoundsPage);
        EXPECT_FALSE(Checked(sounds, IDC_MUSIC));
        EXPECT_FALSE(Enabled(sounds, IDC_BROWSE));
        SetDlgItemTextA(sounds, IDC_MIDI_FILE, "typed.mid");
        Click(sounds, IDC_DEFAULTS);
        EXPECT_TRUE(Checked(sounds, IDC_SOUND_EFFECTS));
        EXPECT_TRUE(Checked(sounds, IDC_MUSIC));
        EXPECT_TRUE(Enabled(sounds, IDC_BROWSE));
        EXPECT_EQ(Text(sounds, IDC_MIDI_FILE), DefaultMidiPath());

        HWND speed = ShowPage(sheet, SpeedPage);
        EXPECT_TRUE(Checked(speed, IDC_DIRECTDRAW));
        EXPECT_EQ(Text(speed, IDC_FRAMERATE_LABEL), "20 frames/s");
        Click(speed, IDC_DEFAULTS);
        EXPECT_TRUE(Checked(speed, IDC_GDI));
        EXPECT_EQ(Send(speed, IDC_FRAMERATE, TBM_GETPOS), 50);
        EXPECT_EQ(Text(speed, IDC_FRAMERATE_LABEL), "50 frames/s");
        EXPECT_EQ(settings.GetGravity(), 980);
        PressOk(sheet);
    });
    const uint32_t defaults[] = {980, 0, 1, 1, 2, 50};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(GetDword("interactive", stored[i]), defaults[i]) << stored[i];
}

TEST_F(PropertySheetTest, BrowseAsksForAMidiFileAndKeepsThePathWhenCancelled)
{
    Settings settings(instance, Interactive);
    const std::string original = settings.GetMIDIFile();
    RunSheet(settings, [&settings, &original](HWND sheet) {
        HWND sounds = ShowPage(sheet, SoundsPage);
        SetDlgItemTextA(sounds, IDC_MIDI_FILE, "typed but not stored.mid");
        Click(sounds, IDC_BROWSE);
        EXPECT_EQ(dialogCalls, 1);
        EXPECT_EQ(std::string(settings.GetMIDIFile()), original);
        EXPECT_EQ(Text(sounds, IDC_MIDI_FILE), original) << "the edit shows the record's path again";
        EXPECT_EQ(lastRequest.hwndOwner, sounds);
        EXPECT_EQ(lastFilter, std::string(midiFilter, sizeof(midiFilter)));
        EXPECT_EQ(lastRequest.nFilterIndex, 1u);
        EXPECT_EQ(lastInitialFile, original);
        EXPECT_EQ(lastRequest.nMaxFile, 260u);
        EXPECT_STREQ(lastRequest.lpstrTitle, "Choose a MIDI File");
        EXPECT_STREQ(lastRequest.lpstrDefExt, "mid");
        EXPECT_EQ(lastRequest.Flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                                                        OFN_FILEMUSTEXIST));

        chosenPath = "C:\\music\\chosen.mid";
        Click(sounds, IDC_BROWSE);
        EXPECT_STREQ(settings.GetMIDIFile(), "C:\\music\\chosen.mid") << "a chosen file is taken at once";
        EXPECT_EQ(Text(sounds, IDC_MIDI_FILE), "C:\\music\\chosen.mid");
        PressCancel(sheet);
    });
    EXPECT_EQ(std::string(settings.GetMIDIFile()), original) << "cancel reloads the record";
}

TEST_F(PropertySheetTest, AboutPageColoursAndItsBoldFont)
{
    Settings settings(instance, Interactive);
    RunSheet(settings, [](HWND sheet) {
        HWND about = PropSheet_GetCurrentPageHwnd(sheet);
        HWND link = GetDlgItem(about, IDC_ABOUT_LINK);
        HWND name = GetDlgItem(about, IDC_ABOUT_NAME);
        char className[32] = "";
        GetClassNameA(link, className, sizeof(className));
        EXPECT_STREQ(className, hyperLinkClassName);
        char address[64] = "";
        SendMessageA(link, HLM_GETADDRESS, sizeof(address), reinterpret_cast<LPARAM>(address));
        EXPECT_STREQ(address, "http://fireworks.brelkora.invalid");
        EXPECT_EQ(Text(about, IDC_ABOUT_NAME), "Brelkora Fireworks");

        // The colours each static asks for (all on the black brush), and the weight of the font then.
        HDC dc = CreateCompatibleDC(nullptr);
        const LRESULT black = reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
        auto ask = [&](HWND control, COLORREF text) {
            HGDIOBJ plain = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            EXPECT_EQ(SendMessageA(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(control)),
                      black);
            EXPECT_EQ(GetTextColor(dc), text);
            EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
            TEXTMETRICA metrics;
            GetTextMetricsA(dc, &metrics);
            SelectObject(dc, plain);
            return metrics.tmWeight;
        };
        EXPECT_EQ(ask(name, RGB(255, 0, 0)), 700) << "the product name is drawn in the page's bold font";
        ask(link, RGB(0, 0, 255));
        ask(FindWindowExA(about, nullptr, "Static", "1.0"), RGB(255, 255, 255));
        HFONT bold = reinterpret_cast<HFONT>(SendMessageA(name, WM_GETFONT, 0, 0));
        LOGFONTA boldDescription = {};
        ASSERT_NE(GetObjectA(bold, sizeof(boldDescription), &boldDescription), 0);
        EXPECT_EQ(boldDescription.lfWeight, FW_BOLD);
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(boldDescription.lfHeight, -(GetDeviceCaps(screen, LOGPIXELSY) * 12 / 72));
        ReleaseDC(nullptr, screen);

        // On screen the page itself is black too.
        RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT page;
        GetClientRect(about, &page);
        HDC pageDc = GetDC(about);
        EXPECT_EQ(GetPixel(pageDc, page.right / 2, page.bottom * 3 / 4), RGB(0, 0, 0));
        ReleaseDC(about, pageDc);

        ShowPage(sheet, SightsPage);
        EXPECT_LT(ask(name, RGB(255, 0, 0)), 700) << "the bold font is gone once the page is left";
        EXPECT_EQ(SendMessageA(name, WM_GETFONT, 0, 0), SendMessageA(about, WM_GETFONT, 0, 0));
        EXPECT_EQ(GetObjectType(bold), 0u) << "and deleted";
        ShowPage(sheet, AboutPage);
        EXPECT_EQ(ask(name, RGB(255, 0, 0)), 700) << "and made again on return";
        DeleteDC(dc);
        PressCancel(sheet);
    });
}

TEST_F(PropertySheetTest, FireworksPageSaysWhatAFileHoldsAndStoresTheChoice)
{
    std::string good = WriteTemp("fw_page_good.txt", "R cFF00FF p0 t\ngwm t\n");
    std::string changing = WriteTemp("fw_page_changing.txt", "R t\n");
    const std::pair<std::string, const char*> files[] = {
        {WriteTemp("fw_page_mixed.txt", "R t\ngwm q t\n"), "1 of 2 fireworks usable. First problem: line 2, column 5: unknown command 'q'."},
        {WriteTemp("fw_page_binary.bin", std::string("\x89PNG\r\n\0", 7)), "No usable firework among 2 fireworks"},
        {"C:\\" + std::string(300, 'x'), "The file cannot be opened or read"},  // cut at 260 characters
    };
    // A stored path too long for the buffer is not read: no file.
    ASSERT_TRUE(PutRaw("screensaver", "ScriptFile", REG_SZ, std::string(300, 'p').c_str(), 301));
    Settings settings(instance, ScreenSaver);
    RunSheet(settings, [&](HWND sheet) {
        HWND page = ShowPage(sheet, FireworksPage);
        EXPECT_TRUE(Checked(page, IDC_SCRIPT_BUILTIN));
        EXPECT_EQ(Text(page, IDC_SCRIPT_STATUS), "No file chosen: the show plays the built-in fireworks.");
        for (const auto& file : files) {
            SetDlgItemTextA(page, IDC_SCRIPT_FILE, file.first.c_str());
            EXPECT_EQ(Text(page, IDC_SCRIPT_STATUS).find(file.second), 0u) << Text(page, IDC_SCRIPT_STATUS);
        }
        // A file that changes while the page is open is read again when the page is shown again.
        SetDlgItemTextA(page, IDC_SCRIPT_FILE, changing.c_str());
        EXPECT_EQ(Text(page, IDC_SCRIPT_STATUS), "1 firework, all usable.");
        WriteTemp("fw_page_changing.txt", "x\n");
        ShowPage(sheet, SpeedPage);
        page = ShowPage(sheet, FireworksPage);
        EXPECT_EQ(Text(page, IDC_SCRIPT_STATUS).find("No usable firework"), 0u);

        // Browse asks for a text file; one picked is taken at once, and the status follows.
        chosenPath = good.c_str();
        Click(page, IDC_SCRIPT_BROWSE);
        EXPECT_EQ(lastFilter, std::string("Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0", 46));
        EXPECT_STREQ(lastRequest.lpstrTitle, "Choose a File of Fireworks");
        EXPECT_EQ(Text(page, IDC_SCRIPT_STATUS), "2 fireworks, all usable.");
        Click(page, IDC_SCRIPT_OWN);
        PressOk(sheet);
    });
    EXPECT_EQ(GetDword("screensaver", "ScriptUse"), 1u);
    DWORD type = REG_NONE;
    EXPECT_EQ(GetRaw("screensaver", "ScriptFile", &type), good + '\0');
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
    return std::string(text) + " needs " + std::to_string(needed.right) + "x" + std::to_string(needed.bottom) +
           " pixels, has " + std::to_string(room) + "x" + std::to_string(box.bottom - box.top);
}
}  // namespace

// The wrapper runs this once more at 120 and at 144 dots per inch (FW_LOG_PIXELS). Each run leaves a
// screenshot of each page under screenshots/.
TEST_F(PropertySheetTest, NoControlIsClippedAtThisDisplayResolution)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    const char* requested = std::getenv("FW_LOG_PIXELS");
    ASSERT_EQ(dpi, requested != nullptr ? std::atoi(requested) : dpi) << "the display resolution was not applied";
    Settings settings(instance, ScreenSaver);
    RunSheet(settings, [dpi, screen](HWND sheet) {
        const int pages = TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet));
        EXPECT_GE(pages, 4);
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
            CaptureDc(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, name);
        }
        PressCancel(sheet);
    });
    ReleaseDC(nullptr, screen);
}
