// The "VokHLink" control in a real window: painting, and the click with the shell intercepted.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "settings/win32/HyperLink.h"
#include "settings/win32/ShellOpen.h"
#include "tests/ScreenCapture.h"

namespace {
// The last shell call as "verb file show", flagged when its owner is not the link's parent.
std::string shellCall;
HWND parent = nullptr;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR, INT show)
{
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

const char hostName[] = "fireworks.brelkora.invalid";  // no descenders: nothing but the underline below the text
const int linkWidth = 300;
const int linkHeight = 24;

std::string Click(HWND link)
{
    SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    return shellCall;
}
}  // namespace

TEST(HyperLink, PaintsCentredTextUnderlinedTwoPixelsBelowTheAscentAndALeftClickOpensItsAddress)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA parentClass = {};
    parentClass.lpfnWndProc = ParentProc;
    parentClass.hInstance = instance;
    parentClass.lpszClassName = "HyperLinkTestParent";
    RegisterClassA(&parentClass);
    parent = CreateWindowExA(WS_EX_TOPMOST, "HyperLinkTestParent", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 100,
                             nullptr, nullptr, instance, nullptr);
    ASSERT_TRUE(RegisterHyperLinkClass(instance));
    HWND link = CreateWindowExA(0, hyperLinkClassName, hostName, WS_CHILD | WS_VISIBLE | SS_CENTER, 20, 30, linkWidth,
                                linkHeight, parent, nullptr, instance, nullptr);
    ASSERT_NE(link, nullptr);

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
    EXPECT_EQ(shot.pixels.back() & 0xFFFFFF, 0u) << "the parent's brush fills the background";
    const int underline = metrics.tmAscent + 2, left = (linkWidth - extent.cx) / 2;
    auto blue = [&shot](int x, int y) { return (shot.pixels[y * linkWidth + x] & 0xFFFFFF) == 0x0000FF; };
    int underlined = 0;
    for (int x = 0; x < linkWidth; ++x) underlined += blue(x, underline) && !blue(x, underline + 1) ? 1 : 0;
    EXPECT_EQ(underlined, extent.cx);
    EXPECT_TRUE(blue(left, underline) && blue(left + extent.cx - 1, underline));

    SetShellExecuteFunction(RecordShellExecute);
    EXPECT_EQ(Click(link), std::string("open http://") + hostName + " 1");
    // A static control is transparent to the mouse unless it asks for clicks; the link must not be.
    POINT corner = {linkWidth - 1, linkHeight - 1};
    ClientToScreen(link, &corner);
    EXPECT_EQ(SendMessageA(link, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTCLIENT);
    const std::string longAddress(400, 'a');
    EXPECT_EQ(SendMessageA(link, HLM_SETADDRESS, 0, reinterpret_cast<LPARAM>(longAddress.c_str())), 1);
    EXPECT_EQ(Click(link), "open " + longAddress.substr(0, 259) + " 1") << "an address too long is cut, not overrun";
    SetShellExecuteFunction(nullptr);
    DestroyWindow(parent);
    DeleteObject(font);
}
