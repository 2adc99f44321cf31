// The "VokHLink" control in a real window: addresses, clicks (with the shell intercepted), painting,
// and that its stored address is released with the window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "resources/resource.h"
#include "settings/win32/HyperLink.h"
#include "settings/win32/ShellOpen.h"

namespace {
struct ShellCall {
    int count;
    HWND owner;
    std::string verb, file;
    bool hadParameters;
    INT show;
};
ShellCall shellCall;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR, INT show)
{
    shellCall = ShellCall{shellCall.count + 1, owner, verb != nullptr ? verb : "", file != nullptr ? file : "",
                          parameters != nullptr, show};
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

// Private memory committed in the process, summed over its whole address space.
SIZE_T CommittedBytes()
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* p = nullptr; VirtualQuery(p, &info, sizeof(info)) == sizeof(info);
         p = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    }
    return total;
}

const char hostName[] = "fireworks.brelkora.invalid";
const std::string hostAddress = std::string("http://") + hostName;
const int linkWidth = 300;
const int linkHeight = 24;
const COLORREF blue = RGB(0, 0, 255);
typedef COLORREF Pixels[linkWidth * linkHeight];

void Grab(HDC dc, Pixels pixels)
{
    for (int y = 0; y < linkHeight; ++y) {
        for (int x = 0; x < linkWidth; ++x) pixels[y * linkWidth + x] = GetPixel(dc, x, y);
    }
}

// Length of the longest run of blue in row `y`, and where it starts.
int LongestBlueRun(const Pixels pixels, int y, int* start)
{
    int best = 0, run = 0;
    for (int x = 0; x < linkWidth; ++x) {
        run = pixels[y * linkWidth + x] == blue ? run + 1 : 0;
        if (run > best) {
            best = run;
            *start = x - run + 1;
        }
    }
    return best;
}

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
    static void TearDownTestSuite() { DestroyWindow(parent); }

    void SetUp() override
    {
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

    LRESULT SetAddress(const char* address)
    {
        return SendMessageA(link, HLM_SETADDRESS, 0, reinterpret_cast<LPARAM>(address));
    }
    std::string Clicked()
    {
        SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        return shellCall.file;
    }

    std::string GetAddress(WPARAM size, LRESULT* length)
    {
        char buffer[300];
        std::memset(buffer, '#', sizeof(buffer));
        *length = SendMessageA(link, HLM_GETADDRESS, size, reinterpret_cast<LPARAM>(buffer));
        buffer[sizeof(buffer) - 1] = '\0';
        return buffer;
    }

    // Gives the link a font and paints it; `extent` and `metrics` describe its text in that font.
    void PaintWithFont(bool underlined, Pixels pixels, SIZE* extent, TEXTMETRICA* metrics)
    {
        LOGFONTA description = {};
        description.lfHeight = -16;
        description.lfUnderline = underlined ? TRUE : FALSE;
        std::strcpy(description.lfFaceName, "Tahoma");
        font = CreateFontIndirectA(&description);
        ASSERT_NE(font, nullptr);
        SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
        HDC dc = GetDC(link);
        Grab(dc, pixels);
        HGDIOBJ old = SelectObject(dc, font);
        GetTextExtentPoint32A(dc, hostName, static_cast<int>(std::strlen(hostName)), extent);
        GetTextMetricsA(dc, metrics);
        SelectObject(dc, old);
        ReleaseDC(link, dc);
    }

    static HWND parent;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND link = nullptr;
    HFONT font = nullptr;
};

HWND HyperLinkTest::parent = nullptr;
}  // namespace

TEST_F(HyperLinkTest, RegistrationIsRepeatableAndTheRestIsTheStaticControls)
{
    EXPECT_TRUE(RegisterHyperLinkClass(instance));
    WNDCLASSEXA linkClass = {};
    linkClass.cbSize = sizeof(linkClass);
    ASSERT_TRUE(GetClassInfoExA(instance, hyperLinkClassName, &linkClass));
    EXPECT_NE(linkClass.hCursor, nullptr);
    EXPECT_EQ(linkClass.hCursor, LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTING_HAND)));
    char text[64] = "";
    GetWindowTextA(link, text, sizeof(text));
    EXPECT_STREQ(text, hostName);
}

TEST_F(HyperLinkTest, LeftClickOpensTheAddressStoredOrMadeFromTheText)
{
    EXPECT_EQ(Clicked(), hostAddress);
    ASSERT_EQ(shellCall.count, 1);
    EXPECT_EQ(shellCall.verb, "open");
    EXPECT_EQ(shellCall.owner, parent);
    EXPECT_EQ(shellCall.show, SW_SHOWNORMAL);
    EXPECT_FALSE(shellCall.hadParameters);

    SendMessageA(link, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(shellCall.count, 1) << "only the left button opens the link";
    // A static control is transparent to the mouse unless it asks for clicks; the link must not be.
    POINT corner = {linkWidth - 1, linkHeight - 1};
    ClientToScreen(link, &corner);
    EXPECT_EQ(SendMessageA(link, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTCLIENT);

    EXPECT_EQ(SetAddress("https://example.invalid/a"), 1);
    EXPECT_EQ(Clicked(), "https://example.invalid/a");
    EXPECT_EQ(SetAddress("mailto:x@y.invalid"), 1);
    EXPECT_EQ(Clicked(), "mailto:x@y.invalid");
    EXPECT_EQ(SetAddress(nullptr), 1);
    EXPECT_EQ(Clicked(), hostAddress) << "forgetting the address falls back to the text";
}

TEST_F(HyperLinkTest, GetAddressTruncatesWithANulAndReportsTheLengthWritten)
{
    LRESULT length = -1;
    EXPECT_EQ(GetAddress(100, &length), hostAddress);
    EXPECT_EQ(length, static_cast<LRESULT>(hostAddress.size()));
    EXPECT_EQ(GetAddress(12, &length), "http://fire");
    EXPECT_EQ(length, 11);
    EXPECT_EQ(GetAddress(1, &length), "");
    EXPECT_EQ(length, 0);

    char untouched[4] = "###";
    EXPECT_EQ(SendMessageA(link, HLM_GETADDRESS, 0, reinterpret_cast<LPARAM>(untouched)), 0);
    EXPECT_STREQ(untouched, "###") << "a zero size writes nothing";
    EXPECT_EQ(SendMessageA(link, HLM_GETADDRESS, 10, 0), 0);

    SetAddress("abcdefgh");
    EXPECT_EQ(GetAddress(6, &length), "abcde");
    EXPECT_EQ(length, 5);
    EXPECT_EQ(GetAddress(9, &length), "abcdefgh");
    EXPECT_EQ(length, 8);
}

TEST_F(HyperLinkTest, StoredAddressIsReleasedWithItsWindow)
{
    // An address far larger than anything else here shows in the process's committed memory, so a
    // copy left behind cannot hide.
    const std::string address(32u << 20, 'a');
    const SIZE_T size = address.size();
    SIZE_T before = CommittedBytes();
    ASSERT_EQ(SetAddress(address.c_str()), 1);
    SIZE_T stored = CommittedBytes();
    EXPECT_GE(stored, before + size);
    ASSERT_EQ(SetAddress(address.c_str()), 1);
    EXPECT_LT(CommittedBytes(), stored + size / 2) << "setting again frees the old copy";
    DestroyWindow(link);
    EXPECT_LT(CommittedBytes(), before + size / 2) << "destroying the link frees its address";
}

TEST_F(HyperLinkTest, PaintsCentredTextUnderlinedTwoPixelsBelowTheAscent)
{
    static Pixels pixels;
    SIZE extent;
    TEXTMETRICA metrics;
    PaintWithFont(false, pixels, &extent, &metrics);
    EXPECT_EQ(pixels[0], RGB(0, 0, 0)) << "the parent's brush fills the background";
    EXPECT_EQ(pixels[linkHeight * linkWidth - 1], RGB(0, 0, 0));
    int underline = metrics.tmAscent + 2;
    ASSERT_LT(underline, linkHeight);
    int start = -1;
    EXPECT_EQ(LongestBlueRun(pixels, underline, &start), extent.cx);
    EXPECT_EQ(start, (linkWidth - extent.cx) / 2);
    for (int y = 0; y < linkHeight; ++y) {
        if (y != underline) {
            EXPECT_LT(LongestBlueRun(pixels, y, &start), extent.cx / 2) << "a line in row " << y;
        }
    }
}

TEST_F(HyperLinkTest, AnUnderlinedFontGetsNoExtraLine)
{
    static Pixels pixels, reference;
    SIZE extent;
    TEXTMETRICA metrics;
    PaintWithFont(true, pixels, &extent, &metrics);
    ASSERT_TRUE(metrics.tmUnderlined);

    // The same text drawn by TextOut alone, in a memory bitmap: the font's own underline only.
    HDC screen = GetDC(link);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, linkWidth, linkHeight);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HGDIOBJ oldFont = SelectObject(memory, font);
    RECT all = {0, 0, linkWidth, linkHeight};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, blue);
    TextOutA(memory, (linkWidth - extent.cx) / 2, 0, hostName, static_cast<int>(std::strlen(hostName)));
    Grab(memory, reference);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(link, screen);
    int start = -1, underlineRows = 0;
    for (int y = 0; y < linkHeight; ++y) underlineRows += LongestBlueRun(reference, y, &start) >= extent.cx - 1;
    EXPECT_GE(underlineRows, 1) << "the font underlines by itself";
    EXPECT_EQ(std::memcmp(pixels, reference, sizeof(pixels)), 0) << "the link looks exactly like the text alone";
}
