// The settings sheet, run modally as the program runs it and driven from a thread timer inside its
// message loop: pages are switched, controls read and changed with messages, and the sheet closed
// with OK or Cancel. The registry is checked directly. Screenshots of the four pages land in
// screenshots/ beside the test program (sheet-about.bmp ...).
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "app/ParseOption.h"
#include "resources/resource.h"
#include "settings/FileDialog.h"
#include "settings/HyperLink.h"
#include "settings/PropertySheet.h"
#include "settings/Settings.h"
#include "tests/SettingsRegistry.h"

using namespace settings_registry;

namespace {
enum PageIndex { AboutPage = 0, SightsPage = 1, SoundsPage = 2, SpeedPage = 3 };

typedef std::function<void(HWND sheet)> SheetScript;
SheetScript* pendingScript = nullptr;
UINT_PTR scriptTimer = 0;
bool scriptRan = false;

BOOL CALLBACK FindSheetWindow(HWND window, LPARAM found)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof(className));
    if (std::strcmp(className, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
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

struct SliderFacts {
    LRESULT low, high, pageSize, position;
    std::string ticks;  // the ticks set between the ends, "a,b"
    HWND startBuddy, endBuddy;
};

SliderFacts ReadSlider(HWND page, int id)
{
    SliderFacts facts;
    facts.low = Send(page, id, TBM_GETRANGEMIN);
    facts.high = Send(page, id, TBM_GETRANGEMAX);
    facts.pageSize = Send(page, id, TBM_GETPAGESIZE);
    facts.position = Send(page, id, TBM_GETPOS);
    LRESULT count = Send(page, id, TBM_GETNUMTICS);
    for (LRESULT i = 0; i + 2 < count; ++i) {
        if (!facts.ticks.empty()) facts.ticks += ",";
        facts.ticks += std::to_string(Send(page, id, TBM_GETTIC, static_cast<WPARAM>(i)));
    }
    facts.startBuddy = reinterpret_cast<HWND>(Send(page, id, TBM_GETBUDDY, TRUE));
    facts.endBuddy = reinterpret_cast<HWND>(Send(page, id, TBM_GETBUDDY, FALSE));
    return facts;
}

// screenshots\<name> beside the test program.
std::string ScreenshotPath(const char* name)
{
    char program[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, program, sizeof(program));
    std::string folder(program, length);
    folder.erase(folder.find_last_of('\\') + 1);
    folder += "screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + name;
}

// Writes the sheet as it is on screen to a 24-bit BMP file in the screenshot folder.
bool SaveScreenshot(HWND sheet, const char* name)
{
    std::string path = ScreenshotPath(name);
    RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    RECT r;
    GetWindowRect(sheet, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        DWORD imageSize = static_cast<DWORD>((width * 3 + 3) / 4 * 4 * height);
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
        file.bfSize = file.bfOffBits + imageSize;
        if (FILE* out = std::fopen(path.c_str(), "wb")) {
            saved = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                    std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                    std::fwrite(bits, imageSize, 1, out) == 1;
            std::fclose(out);
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

// Counts the pixels of one colour in a control's window rectangle, as on screen.
int CountColour(HWND control, COLORREF colour)
{
    RECT r;
    GetClientRect(control, &r);
    HDC dc = GetDC(control);
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) count += GetPixel(dc, x, y) == colour ? 1 : 0;
    }
    ReleaseDC(control, dc);
    return count;
}

// Pairs of description and pattern, ending in an empty description.
const char midiFilter[] = "MIDI files (*.mid, *.midi)\0*.mid;*.midi\0All files (*.*)\0*.*\0";

// The file dialog stand-in: records the request and answers with `chosenPath`, or cancels.
OPENFILENAMEA lastRequest;
std::string lastFilter, lastTitle, lastDefaultExtension, lastInitialFile;
int dialogCalls = 0;
const char* chosenPath = nullptr;

BOOL WINAPI FakeOpenFileName(OPENFILENAMEA* request)
{
    ++dialogCalls;
    lastRequest = *request;
    lastFilter.assign(request->lpstrFilter, sizeof(midiFilter));
    lastTitle = request->lpstrTitle != nullptr ? request->lpstrTitle : "";
    lastDefaultExtension = request->lpstrDefExt != nullptr ? request->lpstrDefExt : "";
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
        DeleteModeKey("interactive");
        DeleteModeKey("screensaver");
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
        SliderFacts gravity = ReadSlider(sights, IDC_GRAVITY);
        EXPECT_EQ(gravity.low, 0);
        EXPECT_EQ(gravity.high, 1500);
        EXPECT_EQ(gravity.pageSize, 150);
        EXPECT_EQ(gravity.ticks, "980");
        EXPECT_EQ(gravity.position, 980);
        EXPECT_EQ(gravity.startBuddy, GetDlgItem(sights, IDC_GRAVITY_LOW));
        EXPECT_EQ(gravity.endBuddy, GetDlgItem(sights, IDC_GRAVITY_HIGH));
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), gravityLabel980);
        SliderFacts wind = ReadSlider(sights, IDC_WIND);
        EXPECT_EQ(wind.low, -500);
        EXPECT_EQ(wind.high, 500);
        EXPECT_EQ(wind.pageSize, 50);
        EXPECT_EQ(wind.ticks, "0,100");
        EXPECT_EQ(wind.position, 100);
        EXPECT_EQ(wind.startBuddy, GetDlgItem(sights, IDC_WIND_LOW));
        EXPECT_EQ(wind.endBuddy, GetDlgItem(sights, IDC_WIND_HIGH));
        EXPECT_EQ(Text(sights, IDC_WIND_LABEL), "100 cm/s");
        EXPECT_FALSE(Checked(sights, IDC_STEREO));

        Drag(sights, IDC_WIND, -120);
        EXPECT_EQ(Text(sights, IDC_WIND_LABEL), "-120 cm/s");
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), gravityLabel980) << "a scroll updates only its own label";
        // The keyboard moves the thumb and the trackbar itself reports the scroll.
        SendDlgItemMessageA(sights, IDC_GRAVITY, WM_KEYDOWN, VK_END, 0);
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), "1500 cm/s\xB2");
        // A scroll message from some other window changes no label.
        SendDlgItemMessageA(sights, IDC_GRAVITY, TBM_SETPOS, TRUE, 200);
        SendMessageA(sights, WM_HSCROLL, TB_THUMBTRACK, reinterpret_cast<LPARAM>(GetDlgItem(sights, IDC_STEREO)));
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), "1500 cm/s\xB2");
        Drag(sights, IDC_GRAVITY, 980);
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), gravityLabel980);

        HWND speed = ShowPage(sheet, SpeedPage);
        EXPECT_TRUE(Checked(speed, IDC_GDI));
        EXPECT_FALSE(Checked(speed, IDC_DIRECTDRAW));
        SliderFacts sparks = ReadSlider(speed, IDC_SPARKS);
        EXPECT_EQ(sparks.low, 500);
        EXPECT_EQ(sparks.high, 20000);
        EXPECT_EQ(sparks.pageSize, 500);
        EXPECT_EQ(sparks.ticks, "5000");
        EXPECT_EQ(sparks.position, 5000);
        EXPECT_EQ(sparks.startBuddy, GetDlgItem(speed, IDC_SPARKS_LOW));
        EXPECT_EQ(sparks.endBuddy, GetDlgItem(speed, IDC_SPARKS_HIGH));
        EXPECT_EQ(Text(speed, IDC_SPARKS_LABEL), "5000");
        SliderFacts rate = ReadSlider(speed, IDC_FRAMERATE);
        EXPECT_EQ(rate.low, 10);
        EXPECT_EQ(rate.high, 100);
        EXPECT_EQ(rate.pageSize, 10);
        EXPECT_EQ(rate.ticks, "50");
        EXPECT_EQ(rate.position, 50);
        EXPECT_EQ(rate.startBuddy, GetDlgItem(speed, IDC_FRAMERATE_LOW));
        EXPECT_EQ(rate.endBuddy, GetDlgItem(speed, IDC_FRAMERATE_HIGH));
        EXPECT_EQ(Text(speed, IDC_FRAMERATE_LABEL), "50 frames/s");
        Drag(speed, IDC_FRAMERATE, 75);
        EXPECT_EQ(Text(speed, IDC_FRAMERATE_LABEL), "75 frames/s");
        Drag(speed, IDC_SPARKS, 12500);
        EXPECT_EQ(Text(speed, IDC_SPARKS_LABEL), "12500");
        EXPECT_EQ(Text(speed, IDC_FRAMERATE_LABEL), "75 frames/s");
        PressCancel(sheet);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(settings.Wind, 100);
    EXPECT_EQ(settings.FrameRate, 50u);
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

        const int all[] = {IDC_MUSIC_CD, IDC_MUSIC_MIDI, IDC_TRACK_LABEL, IDC_TRACK, IDC_TRACK_SPIN, IDC_MIDI_FILE,
                           IDC_BROWSE};
        auto expectEnabled = [&](const char* state, const bool (&enabled)[7]) {
            for (int i = 0; i < 7; ++i) EXPECT_EQ(Enabled(sounds, all[i]), enabled[i]) << state << ": control " << all[i];
        };
        expectEnabled("MIDI file", {true, true, false, false, false, true, true});
        Click(sounds, IDC_MUSIC_CD);
        expectEnabled("compact disc", {true, true, true, true, true, false, false});
        Click(sounds, IDC_MUSIC);
        EXPECT_FALSE(Checked(sounds, IDC_MUSIC));
        expectEnabled("music off", {false, false, false, false, false, false, false});
        EXPECT_TRUE(Enabled(sounds, IDC_SOUND_EFFECTS));
        Click(sounds, IDC_MUSIC);
        expectEnabled("compact disc again", {true, true, true, true, true, false, false});

        // The up-down keeps the typed track in range; text that is not a number is stored as 0.
        SetDlgItemTextA(sounds, IDC_TRACK, "  42xyz");
        ShowPage(sheet, SpeedPage);
        EXPECT_EQ(settings.CDTrack, 42u);
        EXPECT_EQ(settings.MusicMode, Settings::CompactDisc);
        sounds = ShowPage(sheet, SoundsPage);
        expectEnabled("compact disc after a round trip", {true, true, true, true, true, false, false});
        SetDlgItemTextA(sounds, IDC_TRACK, "abc");
        PressOk(sheet);
    });
    EXPECT_EQ(settings.CDTrack, 1u) << "saving validates the 0 that was stored";
    EXPECT_EQ(GetDword("interactive", "CDTrack"), 1u);
    EXPECT_EQ(GetDword("interactive", "MusicMode"), 1u);
}

TEST_F(PropertySheetTest, LeavingAPageCommitsButCancelStillDiscards)
{
    ASSERT_TRUE(PutDword("interactive", "Gravity", 700));
    Settings settings(instance, Interactive);
    ASSERT_FALSE(settings.Dirty);
    bool ok = RunSheet(settings, [&settings](HWND sheet) {
        HWND sights = ShowPage(sheet, SightsPage);
        EXPECT_EQ(Send(sights, IDC_GRAVITY, TBM_GETPOS), 700);
        Drag(sights, IDC_GRAVITY, 300);
        Click(sights, IDC_STEREO);
        EXPECT_EQ(settings.Gravity, 700) << "nothing is stored while the page is active";
        ShowPage(sheet, SoundsPage);
        EXPECT_EQ(settings.Gravity, 300);
        EXPECT_EQ(settings.Stereo, 1);
        EXPECT_TRUE(settings.Dirty);
        PressCancel(sheet);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(settings.Gravity, 700);
    EXPECT_EQ(settings.Stereo, 0);
    EXPECT_FALSE(settings.Dirty);
    EXPECT_EQ(ValueCount("interactive"), 1);
    EXPECT_EQ(GetDword("interactive", "Gravity"), 700u);
}

TEST_F(PropertySheetTest, OkWritesOnlyWhenSomethingChanged)
{
    Settings settings(instance, Interactive);
    bool ok = RunSheet(settings, [](HWND sheet) {
        for (int page = AboutPage; page <= SpeedPage; ++page) ShowPage(sheet, page);
        ShowPage(sheet, SightsPage);
        PressOk(sheet);
    });
    EXPECT_TRUE(ok);
    EXPECT_FALSE(settings.Dirty);
    EXPECT_EQ(ValueCount("interactive"), 0) << "a clean record writes nothing";

    ok = RunSheet(settings, [](HWND sheet) {
        HWND speed = ShowPage(sheet, SpeedPage);
        Click(speed, IDC_DIRECTDRAW);
        Drag(speed, IDC_SPARKS, 7000);
        PressOk(sheet);  // OK stores the active page too
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(ValueCount("interactive"), 11);
    EXPECT_EQ(GetDword("interactive", "DrawMode"), 1u);
    EXPECT_EQ(GetDword("interactive", "SparkLimit"), 7000u);
    EXPECT_EQ(ValueCount("screensaver"), -1) << "the other mode's key is not even created";
}

TEST_F(PropertySheetTest, SoundDefaultsDependOnTheRunMode)
{
    ASSERT_TRUE(PutDword("screensaver", "SoundEffects", 1));
    ASSERT_TRUE(PutDword("screensaver", "Music", 1));
    ASSERT_TRUE(PutDword("screensaver", "CDTrack", 9));
    Settings saver(instance, ScreenSaver);
    RunSheet(saver, [&saver](HWND sheet) {
        HWND sounds = ShowPage(sheet, SoundsPage);
        EXPECT_TRUE(Checked(sounds, IDC_SOUND_EFFECTS));
        EXPECT_TRUE(Checked(sounds, IDC_MUSIC));
        EXPECT_EQ(Text(sounds, IDC_TRACK), "9");
        SetDlgItemTextA(sounds, IDC_MIDI_FILE, "typed.mid");
        Click(sounds, IDC_DEFAULTS);
        EXPECT_FALSE(Checked(sounds, IDC_SOUND_EFFECTS));
        EXPECT_FALSE(Checked(sounds, IDC_MUSIC));
        EXPECT_TRUE(Checked(sounds, IDC_MUSIC_MIDI));
        EXPECT_EQ(Text(sounds, IDC_TRACK), "1");
        EXPECT_EQ(Text(sounds, IDC_MIDI_FILE), DefaultMidiPath());
        EXPECT_FALSE(Enabled(sounds, IDC_MIDI_FILE));
        EXPECT_FALSE(saver.Music);
        PressCancel(sheet);
    });

    ASSERT_TRUE(PutDword("interactive", "SoundEffects", 0));
    ASSERT_TRUE(PutDword("interactive", "Music", 0));
    ASSERT_TRUE(PutDword("interactive", "Gravity", 123));
    Settings interactive(instance, Interactive);
    RunSheet(interactive, [](HWND sheet) {
        HWND sounds = ShowPage(sheet, SoundsPage);
        EXPECT_FALSE(Checked(sounds, IDC_SOUND_EFFECTS));
        EXPECT_FALSE(Checked(sounds, IDC_MUSIC));
        Click(sounds, IDC_DEFAULTS);
        EXPECT_TRUE(Checked(sounds, IDC_SOUND_EFFECTS));
        EXPECT_TRUE(Checked(sounds, IDC_MUSIC));
        EXPECT_TRUE(Enabled(sounds, IDC_BROWSE));
        PressOk(sheet);
    });
    EXPECT_EQ(GetDword("interactive", "SoundEffects"), 1u);
    EXPECT_EQ(GetDword("interactive", "Music"), 1u);
    EXPECT_EQ(GetDword("interactive", "Gravity"), 123u) << "the Sounds defaults leave other groups alone";
}

TEST_F(PropertySheetTest, DefaultsButtonsResetOnlyTheirOwnGroup)
{
    ASSERT_TRUE(PutDword("interactive", "Gravity", 10));
    ASSERT_TRUE(PutDword("interactive", "Stereo", 1));
    ASSERT_TRUE(PutDword("interactive", "FrameRate", 20));
    ASSERT_TRUE(PutDword("interactive", "DrawMode", 1));
    Settings settings(instance, Interactive);
    RunSheet(settings, [&settings](HWND sheet) {
        HWND sights = ShowPage(sheet, SightsPage);
        Click(sights, IDC_DEFAULTS);
        EXPECT_EQ(Send(sights, IDC_GRAVITY, TBM_GETPOS), 980);
        EXPECT_EQ(Text(sights, IDC_GRAVITY_LABEL), gravityLabel980);
        EXPECT_FALSE(Checked(sights, IDC_STEREO));
        EXPECT_EQ(settings.FrameRate, 20u);
        HWND speed = ShowPage(sheet, SpeedPage);
        EXPECT_TRUE(Checked(speed, IDC_DIRECTDRAW));
        EXPECT_EQ(Text(speed, IDC_FRAMERATE_LABEL), "20 frames/s");
        Click(speed, IDC_DEFAULTS);
        EXPECT_TRUE(Checked(speed, IDC_GDI));
        EXPECT_EQ(Send(speed, IDC_FRAMERATE, TBM_GETPOS), 50);
        EXPECT_EQ(Text(speed, IDC_FRAMERATE_LABEL), "50 frames/s");
        EXPECT_EQ(settings.Gravity, 980);
        PressOk(sheet);
    });
    EXPECT_EQ(GetDword("interactive", "Gravity"), 980u);
    EXPECT_EQ(GetDword("interactive", "Stereo"), 0u);
    EXPECT_EQ(GetDword("interactive", "FrameRate"), 50u);
    EXPECT_EQ(GetDword("interactive", "DrawMode"), 2u);
}

TEST_F(PropertySheetTest, BrowseAsksForAMidiFileAndKeepsThePathWhenCancelled)
{
    Settings settings(instance, Interactive);
    const std::string original = settings.MIDIFile;
    RunSheet(settings, [&settings, &original](HWND sheet) {
        HWND sounds = ShowPage(sheet, SoundsPage);
        SetDlgItemTextA(sounds, IDC_MIDI_FILE, "typed but not stored.mid");
        Click(sounds, IDC_BROWSE);
        EXPECT_EQ(dialogCalls, 1);
        EXPECT_EQ(std::string(settings.MIDIFile), original);
        EXPECT_EQ(Text(sounds, IDC_MIDI_FILE), original) << "the edit shows the record's path again";
        EXPECT_EQ(lastRequest.hwndOwner, sounds);
        EXPECT_EQ(lastFilter, std::string(midiFilter, sizeof(midiFilter)));
        EXPECT_EQ(lastRequest.nFilterIndex, 1u);
        EXPECT_EQ(lastInitialFile, original);
        EXPECT_EQ(lastRequest.nMaxFile, 260u);
        EXPECT_EQ(lastTitle, "Choose a MIDI File");
        EXPECT_EQ(lastDefaultExtension, "mid");
        EXPECT_EQ(lastRequest.Flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                                                        OFN_FILEMUSTEXIST));

        chosenPath = "C:\\music\\chosen.mid";
        Click(sounds, IDC_BROWSE);
        EXPECT_STREQ(settings.MIDIFile, "C:\\music\\chosen.mid") << "a chosen file is taken at once";
        EXPECT_EQ(Text(sounds, IDC_MIDI_FILE), "C:\\music\\chosen.mid");
        PressCancel(sheet);
    });
    EXPECT_EQ(std::string(settings.MIDIFile), original) << "cancel reloads the record";
}

TEST_F(PropertySheetTest, AboutPageColoursAndScreenshotsOfAllPages)
{
    Settings settings(instance, Interactive);
    RunSheet(settings, [](HWND sheet) {
        HWND about = PropSheet_GetCurrentPageHwnd(sheet);
        HWND link = GetDlgItem(about, IDC_ABOUT_LINK);
        char className[32] = "";
        GetClassNameA(link, className, sizeof(className));
        EXPECT_STREQ(className, hyperLinkClassName);
        char address[64] = "";
        SendMessageA(link, HLM_GETADDRESS, sizeof(address), reinterpret_cast<LPARAM>(address));
        EXPECT_STREQ(address, "http://fireworks.brelkora.invalid");
        EXPECT_EQ(Text(about, IDC_ABOUT_NAME), "Brelkora Fireworks");

        // The colours each static asks for, and the bold font while the page is active.
        HDC dc = CreateCompatibleDC(nullptr);
        struct Answer {
            LRESULT brush;
            COLORREF text, background;
            LONG weight;
        };
        auto ask = [&](HWND control) {
            HGDIOBJ plain = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            Answer answer;
            answer.brush = SendMessageA(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(control));
            answer.text = GetTextColor(dc);
            answer.background = GetBkColor(dc);
            TEXTMETRICA metrics;
            GetTextMetricsA(dc, &metrics);
            answer.weight = metrics.tmWeight;
            SelectObject(dc, plain);
            return answer;
        };
        const LRESULT black = reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
        Answer name = ask(GetDlgItem(about, IDC_ABOUT_NAME));
        EXPECT_EQ(name.brush, black);
        EXPECT_EQ(name.text, RGB(255, 0, 0));
        EXPECT_EQ(name.background, RGB(0, 0, 0));
        EXPECT_EQ(name.weight, 700) << "the product name is drawn in the page's bold font";
        HWND nameControl = GetDlgItem(about, IDC_ABOUT_NAME);
        HFONT bold = reinterpret_cast<HFONT>(SendMessageA(nameControl, WM_GETFONT, 0, 0));
        LOGFONTA boldDescription = {};
        ASSERT_NE(GetObjectA(bold, sizeof(boldDescription), &boldDescription), 0);
        EXPECT_EQ(boldDescription.lfWeight, FW_BOLD);
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(boldDescription.lfHeight, -(GetDeviceCaps(screen, LOGPIXELSY) * 12 / 72));
        ReleaseDC(nullptr, screen);
        Answer linkColours = ask(link);
        EXPECT_EQ(linkColours.text, RGB(0, 0, 255));
        EXPECT_EQ(linkColours.brush, black);
        Answer version = ask(FindWindowExA(about, nullptr, "Static", "1.0"));
        EXPECT_EQ(version.text, RGB(255, 255, 255));
        EXPECT_EQ(version.brush, black);

        // On screen: black page, red name, blue link.
        RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT page;
        GetClientRect(about, &page);
        HDC pageDc = GetDC(about);
        EXPECT_EQ(GetPixel(pageDc, page.right / 2, page.bottom * 3 / 4), RGB(0, 0, 0));
        ReleaseDC(about, pageDc);
        EXPECT_GT(CountColour(GetDlgItem(about, IDC_ABOUT_NAME), RGB(255, 0, 0)), 20);
        EXPECT_GT(CountColour(link, RGB(0, 0, 255)), 20);
        EXPECT_TRUE(SaveScreenshot(sheet, "sheet-about.bmp"));

        HWND sights = ShowPage(sheet, SightsPage);
        EXPECT_TRUE(SaveScreenshot(sheet, "sheet-sights.bmp"));
        (void)sights;
        Answer afterwards = ask(GetDlgItem(about, IDC_ABOUT_NAME));
        EXPECT_LT(afterwards.weight, 700) << "the bold font is gone once the page is left";
        EXPECT_EQ(SendMessageA(nameControl, WM_GETFONT, 0, 0), SendMessageA(about, WM_GETFONT, 0, 0));
        EXPECT_EQ(GetObjectType(bold), 0u) << "and deleted";
        EXPECT_EQ(afterwards.text, RGB(255, 0, 0));

        ShowPage(sheet, SoundsPage);
        EXPECT_TRUE(SaveScreenshot(sheet, "sheet-sounds.bmp"));
        ShowPage(sheet, SpeedPage);
        EXPECT_TRUE(SaveScreenshot(sheet, "sheet-speed.bmp"));
        ShowPage(sheet, AboutPage);
        EXPECT_EQ(ask(GetDlgItem(about, IDC_ABOUT_NAME)).weight, 700) << "and made again on return";
        DeleteDC(dc);
        PressCancel(sheet);
    });
}
