// Settings property sheet on COMCTL32's property sheet. See PropertySheet.h for how it degrades.
#include "settings/win32/PropertySheet.h"

#include <commctrl.h>

#include "resources/resource.h"
#include "settings/Settings.h"
#include "settings/win32/HyperLink.h"
#include "settings/win32/Pages.h"

namespace {
const int pageCount = 5;

struct PageTemplate {
    int templateId;
    DLGPROC procedure;
};

const PageTemplate pageTemplates[pageCount] = {
    {IDD_ABOUT, AboutPageProc},
    {IDD_SIGHTS, SightsPageProc},
    {IDD_SOUNDS, SoundsPageProc},
    {IDD_SPEED, SpeedPageProc},
    {IDD_FIREWORKS, FireworksPageProc},
};

void InitCommonControlsForSheet()
{
    INITCOMMONCONTROLSEX classes = {};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES;
    // Before version 4.70 only the old call exists.
    if (!InitCommonControlsEx(&classes)) InitCommonControls();
}

void DestroyPages(HPROPSHEETPAGE* pages)
{
    for (int i = 0; i < pageCount; ++i) {
        if (pages[i] != nullptr) DestroyPropertySheetPage(pages[i]);
        pages[i] = nullptr;
    }
}

// True when all the pages were created; otherwise none is left.
bool CreatePages(HINSTANCE instance, Settings& settings, HPROPSHEETPAGE* pages)
{
    for (int i = 0; i < pageCount; ++i) {
        PROPSHEETPAGEA page = {};
        page.dwSize = sizeof(page);
        page.dwFlags = PSP_DEFAULT;
        page.hInstance = instance;
        page.pszTemplate = MAKEINTRESOURCEA(pageTemplates[i].templateId);
        page.pfnDlgProc = pageTemplates[i].procedure;
        page.lParam = reinterpret_cast<LPARAM>(&settings);
        pages[i] = CreatePropertySheetPageA(&page);
        if (pages[i] == nullptr) {
            DestroyPages(pages);
            return false;
        }
    }
    return true;
}

// The sheet's result: positive for OK, 0 for cancel, -1 when it could not be shown.
INT_PTR ShowSheet(HINSTANCE instance, HWND owner, HPROPSHEETPAGE* pages)
{
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_NOAPPLYNOW | PSH_USEICONID;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszIcon = MAKEINTRESOURCEA(IDI_FIREWORKS_SMALL);
    header.pszCaption = MAKEINTRESOURCEA(IDS_PRODUCT);
    header.nPages = pageCount;
    header.nStartPage = 0;
    header.phpage = pages;
    return PropertySheetA(&header);
}
}  // namespace

bool RunPropertySheet(Settings& settings, HWND owner)
{
    HINSTANCE instance = static_cast<HINSTANCE>(settings.Instance());
    InitCommonControlsForSheet();
    RegisterHyperLinkClass(instance);

    HPROPSHEETPAGE pages[pageCount] = {};
    INT_PTR result = CreatePages(instance, settings, pages) ? ShowSheet(instance, owner, pages) : -1;
    if (result < 1) {
        settings.Load();
        return false;
    }
    settings.Save();
    return true;
}
