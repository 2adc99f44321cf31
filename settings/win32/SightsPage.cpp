// Sights page: gravity and wind sliders and the red/blue stereo switch.
// Degrades: like every page, it ignores the sheet until it has its record.
#include <windows.h>

#include <commctrl.h>

#include "resources/resource.h"
#include "settings/Settings.h"
#include "settings/win32/PageCommon.h"
#include "settings/win32/Pages.h"

namespace {
void Fill(HWND page, Settings& settings)
{
    CheckDlgButton(page, IDC_STEREO, settings.GetStereo() == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void Store(HWND page, Settings& settings) { settings.SetStereo(IsChecked(page, IDC_STEREO) ? 1 : 0); }

const Slider sliders[] = {
    {SettingId::Gravity, IDC_GRAVITY, IDC_GRAVITY_LOW, IDC_GRAVITY_HIGH, IDC_GRAVITY_LABEL, IDS_GRAVITY_LABEL},
    {SettingId::Wind, IDC_WIND, IDC_WIND_LOW, IDC_WIND_HIGH, IDC_WIND_LABEL, IDS_WIND_LABEL},
};
const PageOperations operations = {Fill, Store, SettingGroup::Sights, sliders, 2, nullptr};
}  // namespace

INT_PTR CALLBACK SightsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return EditingPageProc(page, message, wParam, lParam, operations);
}
