// Sights page: gravity and wind sliders and the red/blue stereo switch.
// Degrades: like every page, it ignores the sheet until it has its record.
#include <windows.h>

#include <commctrl.h>

#include "resources/resource.h"
#include "settings/win32/PageCommon.h"
#include "settings/win32/Pages.h"
#include "settings/Settings.h"

namespace {
const TrackbarSetup gravitySlider = {IDC_GRAVITY, 0, 1500, 150, {980, 0}, 1, IDC_GRAVITY_LOW, IDC_GRAVITY_HIGH};
const TrackbarSetup windSlider = {IDC_WIND, -500, 500, 50, {0, 100}, 2, IDC_WIND_LOW, IDC_WIND_HIGH};

void Fill(HWND page, Settings& settings)
{
    ShowValueLabel(page, IDC_GRAVITY_LABEL, IDS_GRAVITY_LABEL, settings.Gravity);
    SetUpTrackbar(page, gravitySlider, settings.Gravity);
    ShowValueLabel(page, IDC_WIND_LABEL, IDS_WIND_LABEL, settings.Wind);
    SetUpTrackbar(page, windSlider, settings.Wind);
    CheckDlgButton(page, IDC_STEREO, settings.Stereo == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void Store(HWND page, Settings& settings)
{
    settings.SetGravity(TrackbarPosition(page, IDC_GRAVITY));
    settings.SetWind(TrackbarPosition(page, IDC_WIND));
    settings.SetStereo(IsChecked(page, IDC_STEREO) ? 1 : 0);
}

const SliderLabel sliders[] = {
    {IDC_GRAVITY, IDC_GRAVITY_LABEL, IDS_GRAVITY_LABEL},
    {IDC_WIND, IDC_WIND_LABEL, IDS_WIND_LABEL},
};
const PageOperations operations = {Fill, Store, &Settings::SetSightsDefaults, sliders, 2, nullptr};
}  // namespace

INT_PTR CALLBACK SightsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return EditingPageProc(page, message, wParam, lParam, operations);
}
