// Hyperlink control "VokHLink": a static text control drawn as an underlined link that opens its
// address in the browser when clicked. It is a superclass of "STATIC": painting, the click, the hit
// test and two private messages are its own, everything else goes to the static control.
// Degrades: when no memory is left for an address the link falls back to its window text; a failed
// shell request is ignored.
#pragma once
#include <windows.h>

extern const char hyperLinkClassName[];  // "VokHLink"

// lParam: the new address (NUL-terminated; none forgets the stored one). Returns 1, or 0 when no
// memory was left for the copy (the link then has no stored address).
const UINT HLM_SETADDRESS = WM_USER + 1;
// wParam: buffer size in characters, lParam: buffer. Returns 0 when either is zero (nothing written).
// Otherwise writes the stored address, or else "http://" followed by the window text, truncated to
// fit with its NUL, and returns the length written.
const UINT HLM_GETADDRESS = WM_USER + 2;

// Registers the class for `instance` with cursor resource 101. Repeating it is harmless. True when
// the class is (now or already) registered.
bool RegisterHyperLinkClass(HINSTANCE instance);
