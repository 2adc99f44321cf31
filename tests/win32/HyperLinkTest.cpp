// The "VokHLink" control in a real window: addresses, clicks (with the shell intercepted), painting,
// and that its stored address is released with the window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "resources/resource.h"
#include "settings/win32/HyperLink.h"
#include "settings/win32/ShellOpen.h"
#include "tests/ScreenCapture.h"

namespace {
// The last shell call as "owner-ok verb file show", and how many there were.
std::string shellCall;
int shellCalls = 0;
HWND parent = nullptr;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR, INT show)
{
    ++shellCalls;
    shellCall = std::string(owner == parent ? "" : "wrong owner ") + verb + " " + file + " " + std::to_string(show) +
                (parameters != nullptr ? " with parameters" : "");
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
const std::string opensHost = std::string("open http://") + hostName + " 1";
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
    static void TearDownTestSuite() { DestroyWindow(parent); }

    void SetUp() override
    {
        ASSERT_NE(parent, nullptr);
        ASSERT_TRUE(RegisterHyperLinkClass(instance));
        link = CreateWindowExA(0, hyperLinkClassName, hostName, WS_CHILD | WS_VISIBLE | SS_CENTER, 20, 30, linkWidth,
                               linkHeight, parent, nullptr, instance, nullptr);
        ASSERT_NE(link, nullptr);
        shellCalls = 0;
        SetShellExecuteFunction(RecordShellExecute);
    }

    void TearDown() override
    {
        SetShellExecuteFunction(nullptr);
        if (IsWindow(link)) DestroyWindow(link);
    }

    LRESULT SetAddress(const char* address)
    {
        return SendMessageA(link, HLM_SETADDRESS, 0, reinterpret_cast<LPARAM>(address));
    }
    std::string Clicked()
    {
        SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        return shellCall;
    }

    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND link = nullptr;
};
}  // namespace

TEST_F(HyperLinkTest, LeftClickOpensTheAddressStoredOrMadeFromTheText)
{
    WNDCLASSEXA linkClass = {};
    linkClass.cbSize = sizeof(linkClass);
    ASSERT_TRUE(GetClassInfoExA(instance, hyperLinkClassName, &linkClass));
    EXPECT_EQ(linkClass.hCursor, LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTING_HAND)));

    EXPECT_EQ(Clicked(), opensHost);
    SendMessageA(link, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(shellCalls, 1) << "only the left button opens the link";
    // A static control is transparent to the mouse unless it asks for clicks; the link must not be.
    POINT corner = {linkWidth - 1, linkHeight - 1};
    ClientToScreen(link, &corner);
    EXPECT_EQ(SendMessageA(link, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTCLIENT);

    EXPECT_EQ(SetAddress("mailto:x@y.invalid"), 1);
    EXPECT_EQ(Clicked(), "open mailto:x@y.invalid 1");
    // Reading it back: cut to the buffer with a NUL; a zero size or no buffer writes nothing.
    char address[8] = "#######";
    EXPECT_EQ(SendMessageA(link, HLM_GETADDRESS, 7, reinterpret_cast<LPARAM>(address)), 6);
    EXPECT_STREQ(address, "mailto");
    EXPECT_EQ(SendMessageA(link, HLM_GETADDRESS, 0, reinterpret_cast<LPARAM>(address)), 0);
    EXPECT_STREQ(address, "mailto");
    EXPECT_EQ(SendMessageA(link, HLM_GETADDRESS, 10, 0), 0);
    EXPECT_EQ(SetAddress(nullptr), 1);
    EXPECT_EQ(Clicked(), opensHost) << "forgetting the address falls back to the text";
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
    LOGFONTA description = {};
    description.lfHeight = -16;
    std::strcpy(description.lfFaceName, "Tahoma");
    HFONT font = CreateFontIndirectA(&description);
    SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC dc = GetDC(link);
    const Screenshot shot = CaptureDc(dc, 0, 0, linkWidth, linkHeight, "hyperlink");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent;
    GetTextExtentPoint32A(dc, hostName, static_cast<int>(std::strlen(hostName)), &extent);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(link, dc);
    DestroyWindow(link);
    DeleteObject(font);

    EXPECT_EQ(shot.pixels[0] & 0xFFFFFF, 0u) << "the parent's brush fills the background";
    EXPECT_EQ(shot.pixels.back() & 0xFFFFFF, 0u);
    const int underline = metrics.tmAscent + 2;
    ASSERT_LT(underline, linkHeight);
    for (int y = 0; y < linkHeight; ++y) {
        int best = 0, start = -1;
        for (int x = 0, run = 0; x < linkWidth; ++x) {
            run = (shot.pixels[y * linkWidth + x] & 0xFFFFFF) == 0x0000FF ? run + 1 : 0;
            if (run > best) {
                best = run;
                start = x - run + 1;
            }
        }
        if (y == underline) {
            EXPECT_EQ(best, extent.cx);
            EXPECT_EQ(start, (linkWidth - extent.cx) / 2);
        } else {
            EXPECT_LT(best, extent.cx / 2) << "a line in row " << y;
        }
    }
}
