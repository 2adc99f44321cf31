// The "VokHLink" control in a real window: addresses, clicks (with the shell intercepted), painting,
// and that its stored address is released with the window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "resources/resource.h"
#include "settings/HyperLink.h"
#include "settings/ShellOpen.h"

// Counts live arrays of one distinctive size, to see the stored address of a link being released.
// Replacing the global array forms is enough: the control allocates its copy with new[].
namespace {
const size_t trackedSize = 777;
int liveTracked = 0;
void* trackedBlocks[8] = {};

void* Allocate(size_t size)
{
    void* p = std::malloc(size != 0 ? size : 1);
    if (p != nullptr && size == trackedSize) {
        for (void*& slot : trackedBlocks) {
            if (slot == nullptr) {
                slot = p;
                ++liveTracked;
                break;
            }
        }
    }
    return p;
}

void Release(void* p)
{
    if (p == nullptr) return;
    for (void*& slot : trackedBlocks) {
        if (slot == p) {
            slot = nullptr;
            --liveTracked;
        }
    }
    std::free(p);
}
}  // namespace

void* operator new[](size_t size)
{
    void* p = Allocate(size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }

namespace {
struct ShellCall {
    int count;
    HWND owner;
    std::string verb;
    std::string file;
    bool hadParameters;
    INT show;
};
ShellCall shellCall;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR, INT show)
{
    ++shellCall.count;
    shellCall.owner = owner;
    shellCall.verb = verb != nullptr ? verb : "";
    shellCall.file = file != nullptr ? file : "";
    shellCall.hadParameters = parameters != nullptr;
    shellCall.show = show;
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

// A parent that answers like the About page: blue text on black.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLORSTATIC) {
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 255));
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char hostName[] = "fireworks.brelkora.invalid";
const int linkWidth = 300;
const int linkHeight = 24;

class HyperLinkTest : public ::testing::Test {
protected:
    // One parent for the whole suite: showing and hiding a top-level window under a bare X server
    // costs Wine about two seconds each time.
    static void SetUpTestSuite()
    {
        WNDCLASSA parentClass = {};
        parentClass.lpfnWndProc = ParentProc;
        parentClass.hInstance = GetModuleHandleA(nullptr);
        parentClass.lpszClassName = "HyperLinkTestParent";
        RegisterClassA(&parentClass);
        parent = CreateWindowExA(WS_EX_TOPMOST, "HyperLinkTestParent", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 100,
                                 nullptr, nullptr, parentClass.hInstance, nullptr);
    }

    static void TearDownTestSuite()
    {
        DestroyWindow(parent);
        parent = nullptr;
    }

    void SetUp() override
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        ASSERT_NE(parent, nullptr);
        ASSERT_TRUE(RegisterHyperLinkClass(instance));
        link = CreateWindowExA(0, hyperLinkClassName, hostName, WS_CHILD | WS_VISIBLE | SS_CENTER, 20, 30, linkWidth,
                               linkHeight, parent, nullptr, instance, nullptr);
        ASSERT_NE(link, nullptr);
        shellCall = ShellCall{0, nullptr, "", "", false, 0};
        SetShellExecuteFunction(RecordShellExecute);
    }

    void TearDown() override
    {
        SetShellExecuteFunction(nullptr);
        if (IsWindow(link)) DestroyWindow(link);
        if (font != nullptr) DeleteObject(font);
    }

    std::string GetAddress(WPARAM size, LRESULT* length)
    {
        char buffer[300];
        std::memset(buffer, '#', sizeof(buffer));
        *length = SendMessageA(link, HLM_GETADDRESS, size, reinterpret_cast<LPARAM>(buffer));
        buffer[sizeof(buffer) - 1] = '\0';
        return buffer;
    }

    void UseFont(bool underlined)
    {
        LOGFONTA description = {};
        description.lfHeight = -16;
        description.lfUnderline = underlined ? TRUE : FALSE;
        std::strcpy(description.lfFaceName, "Tahoma");
        font = CreateFontIndirectA(&description);
        ASSERT_NE(font, nullptr);
        SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }

    // Paints the link and copies its client area out of the screen.
    void Snapshot(COLORREF* pixels)
    {
        RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
        HDC dc = GetDC(link);
        for (int y = 0; y < linkHeight; ++y) {
            for (int x = 0; x < linkWidth; ++x) pixels[y * linkWidth + x] = GetPixel(dc, x, y);
        }
        ReleaseDC(link, dc);
    }

    void MeasureText(SIZE* extent, TEXTMETRICA* metrics)
    {
        HDC dc = GetDC(link);
        HGDIOBJ old = SelectObject(dc, font);
        GetTextExtentPoint32A(dc, hostName, static_cast<int>(std::strlen(hostName)), extent);
        GetTextMetricsA(dc, metrics);
        SelectObject(dc, old);
        ReleaseDC(link, dc);
    }

    static HWND parent;
    HWND link = nullptr;
    HFONT font = nullptr;
};

HWND HyperLinkTest::parent = nullptr;

// Length of the longest run of `colour` in row `y`, and where it starts.
int LongestRun(const COLORREF* pixels, int y, COLORREF colour, int* start)
{
    int best = 0, run = 0;
    for (int x = 0; x < linkWidth; ++x) {
        run = pixels[y * linkWidth + x] == colour ? run + 1 : 0;
        if (run > best) {
            best = run;
            *start = x - run + 1;
        }
    }
    return best;
}
}  // namespace

TEST_F(HyperLinkTest, RegistrationIsRepeatableAndUsesTheHandCursor)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    EXPECT_TRUE(RegisterHyperLinkClass(instance));
    WNDCLASSEXA linkClass = {};
    linkClass.cbSize = sizeof(linkClass);
    ASSERT_TRUE(GetClassInfoExA(instance, hyperLinkClassName, &linkClass));
    EXPECT_EQ(linkClass.hCursor, LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTING_HAND)));
    EXPECT_NE(linkClass.hCursor, nullptr);
    // Everything it does not handle is the static control's: WM_GETTEXT and friends work.
    char text[64] = "";
    GetWindowTextA(link, text, sizeof(text));
    EXPECT_STREQ(text, hostName);
    EXPECT_EQ(SendMessageA(link, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(std::strlen(hostName)));
}

TEST_F(HyperLinkTest, ClickOpensHttpAndTheBareHostName)
{
    SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ASSERT_EQ(shellCall.count, 1);
    EXPECT_EQ(shellCall.file, std::string("http://") + hostName);
    EXPECT_EQ(shellCall.verb, "open");
    EXPECT_EQ(shellCall.owner, parent);
    EXPECT_EQ(shellCall.show, SW_SHOWNORMAL);
    EXPECT_FALSE(shellCall.hadParameters);

    // The whole client area takes the mouse, even without SS_NOTIFY.
    POINT corner = {linkWidth - 1, linkHeight - 1};
    ClientToScreen(link, &corner);
    EXPECT_EQ(SendMessageA(link, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTCLIENT);

    SendMessageA(link, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(shellCall.count, 1) << "only the left button opens the link";
}

TEST_F(HyperLinkTest, ARealMouseClickReachesTheLink)
{
    // A static control is transparent to the mouse unless it asks for clicks; the link must not be.
    RECT r;
    GetWindowRect(link, &r);
    SetForegroundWindow(parent);
    SetCursorPos(r.right - 3, r.bottom - 3);
    INPUT clicks[2] = {};
    clicks[0].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].type = INPUT_MOUSE;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, clicks, sizeof(INPUT)), 2u);
    DWORD start = GetTickCount();
    MSG msg;
    while (shellCall.count == 0 && GetTickCount() - start < 2000) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    EXPECT_EQ(shellCall.count, 1);
    EXPECT_EQ(shellCall.file, std::string("http://") + hostName);
}

TEST_F(HyperLinkTest, StoredAddressWinsOverTheWindowText)
{
    EXPECT_EQ(SendMessageA(link, HLM_SETADDRESS, 0, reinterpret_cast<LPARAM>("https://example.invalid/a")), 1);
    SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(shellCall.file, "https://example.invalid/a");
    EXPECT_EQ(SendMessageA(link, HLM_SETADDRESS, 0, reinterpret_cast<LPARAM>("mailto:x@y.invalid")), 1);
    SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(shellCall.file, "mailto:x@y.invalid");
    EXPECT_EQ(SendMessageA(link, HLM_SETADDRESS, 0, 0), 1);
    SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(shellCall.file, std::string("http://") + hostName) << "forgetting the address falls back to the text";
}

TEST_F(HyperLinkTest, GetAddressTruncatesWithANulAndReportsTheLengthWritten)
{
    LRESULT length = -1;
    EXPECT_EQ(GetAddress(100, &length), std::string("http://") + hostName);
    EXPECT_EQ(length, static_cast<LRESULT>(7 + std::strlen(hostName)));
    EXPECT_EQ(GetAddress(12, &length), "http://fire");
    EXPECT_EQ(length, 11);
    EXPECT_EQ(GetAddress(5, &length), "http");
    EXPECT_EQ(length, 4);
    EXPECT_EQ(GetAddress(1, &length), "");
    EXPECT_EQ(length, 0);

    char untouched[4] = {'#', '#', '#', '\0'};
    EXPECT_EQ(SendMessageA(link, HLM_GETADDRESS, 0, reinterpret_cast<LPARAM>(untouched)), 0);
    EXPECT_STREQ(untouched, "###") << "a zero size writes nothing";
    EXPECT_EQ(SendMessageA(link, HLM_GETADDRESS, 10, 0), 0);

    SendMessageA(link, HLM_SETADDRESS, 0, reinterpret_cast<LPARAM>("abcdefgh"));
    EXPECT_EQ(GetAddress(6, &length), "abcde");
    EXPECT_EQ(length, 5);
    EXPECT_EQ(GetAddress(9, &length), "abcdefgh");
    EXPECT_EQ(length, 8);
}

TEST_F(HyperLinkTest, StoredAddressIsReleasedWithItsWindow)
{
    std::string address(trackedSize - 1, 'a');
    ASSERT_EQ(liveTracked, 0);
    EXPECT_EQ(SendMessageA(link, HLM_SETADDRESS, 0, reinterpret_cast<LPARAM>(address.c_str())), 1);
    EXPECT_EQ(liveTracked, 1);
    EXPECT_EQ(SendMessageA(link, HLM_SETADDRESS, 0, reinterpret_cast<LPARAM>(address.c_str())), 1);
    EXPECT_EQ(liveTracked, 1) << "setting again frees the old copy";
    DestroyWindow(link);
    EXPECT_EQ(liveTracked, 0) << "destroying the link frees its address";
}

TEST_F(HyperLinkTest, PaintsCentredTextUnderlinedTwoPixelsBelowTheAscent)
{
    UseFont(false);
    SIZE extent;
    TEXTMETRICA metrics;
    MeasureText(&extent, &metrics);
    static COLORREF pixels[linkWidth * linkHeight];
    Snapshot(pixels);
    const COLORREF blue = RGB(0, 0, 255);
    const COLORREF black = RGB(0, 0, 0);
    EXPECT_EQ(pixels[0], black) << "the parent's brush fills the background";
    EXPECT_EQ(pixels[linkHeight * linkWidth - 1], black);
    int underline = metrics.tmAscent + 2;
    ASSERT_LT(underline, linkHeight);
    int start = -1;
    EXPECT_EQ(LongestRun(pixels, underline, blue, &start), extent.cx);
    EXPECT_EQ(start, (linkWidth - extent.cx) / 2);
    for (int y = 0; y < linkHeight; ++y) {
        if (y == underline) continue;
        EXPECT_LT(LongestRun(pixels, y, blue, &start), extent.cx / 2) << "no other line in row " << y;
    }
}

TEST_F(HyperLinkTest, AnUnderlinedFontGetsNoExtraLine)
{
    UseFont(true);
    SIZE extent;
    TEXTMETRICA metrics;
    MeasureText(&extent, &metrics);
    ASSERT_TRUE(metrics.tmUnderlined);
    static COLORREF pixels[linkWidth * linkHeight];
    Snapshot(pixels);

    // The same text drawn by TextOut alone, in a memory bitmap: the font's own underline.
    static COLORREF reference[linkWidth * linkHeight];
    HDC screen = GetDC(link);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, linkWidth, linkHeight);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HGDIOBJ oldFont = SelectObject(memory, font);
    RECT all = {0, 0, linkWidth, linkHeight};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, RGB(0, 0, 255));
    TextOutA(memory, (linkWidth - extent.cx) / 2, 0, hostName, static_cast<int>(std::strlen(hostName)));
    for (int y = 0; y < linkHeight; ++y) {
        for (int x = 0; x < linkWidth; ++x) reference[y * linkWidth + x] = GetPixel(memory, x, y);
    }
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(link, screen);

    int start = -1;
    int referenceRows = 0, rows = 0;
    for (int y = 0; y < linkHeight; ++y) {
        if (LongestRun(reference, y, RGB(0, 0, 255), &start) >= extent.cx - 1) ++referenceRows;
        if (LongestRun(pixels, y, RGB(0, 0, 255), &start) >= extent.cx - 1) ++rows;
    }
    EXPECT_GE(referenceRows, 1) << "the font underlines by itself";
    EXPECT_EQ(rows, referenceRows);
    EXPECT_EQ(std::memcmp(pixels, reference, sizeof(pixels)), 0) << "the link looks exactly like the text alone";
}
