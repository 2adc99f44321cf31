// What the editing pages of the settings sheet (Sights, Sounds, Speed, Fireworks) share: the record
// they edit, the answers to the sheet's notifications, and sliders made from the settings table.
#pragma once
#include <windows.h>

#include "settings/SettingFields.h"

class Settings;

// A slider for a field of the settings table, with its two end labels and the label that shows its
// value with a format string from the string table. Its range and page size come from the table, and
// it has a tick at the default and one at 0 where 0 lies inside the range.
struct Slider {
    SettingId field;
    int trackbarId;
    int lowBuddyId;
    int highBuddyId;
    int labelId;
    UINT formatId;
};

// What differs between editing pages.
struct PageOperations {
    void (*fill)(HWND page, Settings& settings);   // record -> controls other than the sliders
    void (*store)(HWND page, Settings& settings);  // those controls -> record, through the change-setters
    SettingGroup group;                              // whose defaults the page's Defaults button restores
    const Slider* sliders;                           // filled and stored with the page
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

// True when a WM_HSCROLL came from control `id` of the page.
bool IsScrollFrom(HWND page, LPARAM scrollBar, int id);

// True when `id` is a checked button.
bool IsChecked(HWND page, int id);

// True when a WM_COMMAND is the click of button `id`.
bool IsClick(WPARAM wParam, int id);

// The longest path the pages' path edits hold, in characters.
const int PagePathLength = 260;

// A Browse button beside a path edit: `choose` opens at the record's path `field`; a picked file goes
// into the record at once, and the edit `editId` shows the record's path either way.
void BrowseForPath(HWND page, int editId, Settings& settings, SettingId field,
                   bool (*choose)(HWND owner, char* path, DWORD capacity));
