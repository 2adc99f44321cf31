// What the editing pages of the settings sheet (Sights, Sounds, Speed) share: the record they edit,
// the answers to the sheet's notifications, value labels and trackbar set-up.
#pragma once
#include <windows.h>

class Settings;

// A slider and the label that shows its value with a format string from the string table.
struct SliderLabel {
    int trackbarId;
    int labelId;
    UINT formatId;
};

// What differs between editing pages.
struct PageOperations {
    void (*fill)(HWND page, Settings& settings);   // record -> controls
    void (*store)(HWND page, Settings& settings);  // controls -> record, through the change-setters
    void (Settings::*defaults)();                  // the page's group of defaults, for its Defaults button
    const SliderLabel* sliders;                      // labels re-formatted while their slider moves
    int sliderCount;
    void (*onCommand)(HWND page, WPARAM wParam);     // after the Defaults button's work; none if nothing else
};

// The dialog procedure of every editing page: initialisation, the sheet's notifications, trackbar
// moves and commands (Defaults resets the page's group and fills the page again).
INT_PTR EditingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam, const PageOperations& operations);

// The record remembered at dialog initialisation, or none before it.
Settings* PageSettings(HWND page);

// WM_INITDIALOG: remembers the record handed over as the page's creation parameter.
INT_PTR OnPageInitDialog(HWND page, LPARAM pageDescription);

// WM_NOTIFY: fills on activation, stores on deactivation and on OK, stores nothing on Cancel.
INT_PTR OnPageNotify(HWND page, const NMHDR* header, const PageOperations& operations);

// Formats `value` with format string `formatId` into a 32-character label and shows it in `labelId`.
void ShowValueLabel(HWND page, int labelId, UINT formatId, long value);

struct TrackbarSetup {
    int id;
    int low;
    int high;
    int pageSize;
    int ticks[2];
    int tickCount;
    int startBuddyId;
    int endBuddyId;
};

// Range, page size, ticks and buddies of a trackbar, then its position.
void SetUpTrackbar(HWND page, const TrackbarSetup& setup, int position);

int TrackbarPosition(HWND page, int id);

// True when a WM_HSCROLL came from control `id` of the page.
bool IsScrollFrom(HWND page, LPARAM scrollBar, int id);

// True when `id` is a checked button.
bool IsChecked(HWND page, int id);

// True when a WM_COMMAND is the click of button `id`.
bool IsClick(WPARAM wParam, int id);

// The longest path the pages' path edits hold, in characters.
const int PagePathLength = 260;

// A Browse button beside a path edit: `choose` opens at the record's path `field`; a picked file goes
// into the record at once through `set`, and the edit `editId` shows the record's path either way.
void BrowseForPath(HWND page, int editId, Settings& settings, char* Settings::*field, bool (Settings::*set)(const char*),
                   bool (*choose)(HWND owner, char* path, DWORD capacity));
