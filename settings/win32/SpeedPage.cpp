// Speed page: drawing back-end, spark limit and frame rate.
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
    CheckRadioButton(page, IDC_DIRECTDRAW, IDC_GDI,
                     settings.GetDrawMode() == Settings::DirectDraw ? IDC_DIRECTDRAW : IDC_GDI);
}

void Store(HWND page, Settings& settings)
{
    settings.SetDrawMode(IsChecked(page, IDC_DIRECTDRAW) ? Settings::DirectDraw : Settings::GDI);
}

const Slider sliders[] = {
    {SettingId::SparkLimit, IDC_SPARKS, IDC_SPARKS_LOW, IDC_SPARKS_HIGH, IDC_SPARKS_LABEL, IDS_SPARKS_LABEL},
    {SettingId::FrameRate, IDC_FRAMERATE, IDC_FRAMERATE_LOW, IDC_FRAMERATE_HIGH, IDC_FRAMERATE_LABEL,
     IDS_FRAMERATE_LABEL},
};
const PageOperations operations = {Fill, Store, SettingGroup::Speed, sliders, 2, nullptr};
}  // namespace

INT_PTR CALLBACK SpeedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return EditingPageProc(page, message, wParam, lParam, operations);
}
