// Speed page: drawing back-end, spark limit and frame rate.
// Degrades: like every page, it ignores the sheet until it has its record.
#include <windows.h>

#include <commctrl.h>

#include "resources/resource.h"
#include "settings/win32/PageCommon.h"
#include "settings/win32/Pages.h"
#include "settings/Settings.h"

namespace {
const TrackbarSetup sparkSlider = {IDC_SPARKS, 500, 20000, 500, {5000, 0}, 1, IDC_SPARKS_LOW, IDC_SPARKS_HIGH};
const TrackbarSetup rateSlider = {IDC_FRAMERATE, 10, 100, 10, {50, 0}, 1, IDC_FRAMERATE_LOW, IDC_FRAMERATE_HIGH};

void Fill(HWND page, Settings& settings)
{
    CheckRadioButton(page, IDC_DIRECTDRAW, IDC_GDI,
                     settings.DrawMode == Settings::DirectDraw ? IDC_DIRECTDRAW : IDC_GDI);
    ShowValueLabel(page, IDC_SPARKS_LABEL, IDS_SPARKS_LABEL, static_cast<long>(settings.SparkLimit));
    SetUpTrackbar(page, sparkSlider, static_cast<int>(settings.SparkLimit));
    ShowValueLabel(page, IDC_FRAMERATE_LABEL, IDS_FRAMERATE_LABEL, static_cast<long>(settings.FrameRate));
    SetUpTrackbar(page, rateSlider, static_cast<int>(settings.FrameRate));
}

void Store(HWND page, Settings& settings)
{
    settings.SetDrawMode(IsChecked(page, IDC_DIRECTDRAW) ? Settings::DirectDraw : Settings::GDI);
    settings.SetSparkLimit(static_cast<uint32_t>(TrackbarPosition(page, IDC_SPARKS)));
    settings.SetFrameRate(static_cast<uint32_t>(TrackbarPosition(page, IDC_FRAMERATE)));
}

const SliderLabel sliders[] = {
    {IDC_SPARKS, IDC_SPARKS_LABEL, IDS_SPARKS_LABEL},
    {IDC_FRAMERATE, IDC_FRAMERATE_LABEL, IDS_FRAMERATE_LABEL},
};
const PageOperations operations = {Fill, Store, &Settings::SetSpeedDefaults, sliders, 2, nullptr};
}  // namespace

INT_PTR CALLBACK SpeedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return EditingPageProc(page, message, wParam, lParam, operations);
}
