// Fireworks page: the user's file of fireworks, which fireworks the show plays, and a status line that
// reads the file as the show will and says what it found.
// Degrades: a file dialog that cannot be shown leaves the path as it was; a file that cannot be read
// is reported in the status line, and the show then plays the built-in fireworks.
#include <windows.h>

#include <string>

#include "resources/resource.h"
#include "settings/ScriptStatus.h"
#include "settings/Settings.h"
#include "settings/win32/FileDialog.h"
#include "settings/win32/PageCommon.h"
#include "settings/win32/Pages.h"

namespace {
// One radio button per choice, in the order of the choices' values.
const int choiceButtons[] = {IDC_SCRIPT_BUILTIN, IDC_SCRIPT_OWN, IDC_SCRIPT_BOTH};
const uint32_t choiceCount = sizeof choiceButtons / sizeof choiceButtons[0];
static_assert(choiceCount == Settings::AllFireworks + 1, "one button per choice");

std::string PathInEdit(HWND page)
{
    char path[PagePathLength + 1] = "";
    GetDlgItemTextA(page, IDC_SCRIPT_FILE, path, sizeof(path));
    return path;
}

// The status line follows the path in the edit, whether typed, browsed or reset.
void ShowStatus(HWND page) { SetDlgItemTextA(page, IDC_SCRIPT_STATUS, DescribeScriptFile(PathInEdit(page).c_str()).c_str()); }

void Fill(HWND page, Settings& settings)
{
    SendDlgItemMessageA(page, IDC_SCRIPT_FILE, EM_LIMITTEXT, PagePathLength, 0);
    SetDlgItemTextA(page, IDC_SCRIPT_FILE, settings.GetScriptFile() != nullptr ? settings.GetScriptFile() : "");
    for (uint32_t i = 0; i < choiceCount; ++i)
        CheckDlgButton(page, choiceButtons[i], settings.GetScriptUse() == i ? BST_CHECKED : BST_UNCHECKED);
    ShowStatus(page);
}

void Store(HWND page, Settings& settings)
{
    settings.SetScriptFile(PathInEdit(page).c_str());
    for (uint32_t i = 0; i < choiceCount; ++i)
        if (IsChecked(page, choiceButtons[i])) settings.SetScriptUse(i);
}

void OnCommand(HWND page, WPARAM wParam)
{
    Settings* settings = PageSettings(page);
    if (settings != nullptr && IsClick(wParam, IDC_SCRIPT_BROWSE)) {
        BrowseForPath(page, IDC_SCRIPT_FILE, *settings, SettingId::ScriptFile, ChooseScriptFile);
        ShowStatus(page);
    }
    if (LOWORD(wParam) == IDC_SCRIPT_FILE && HIWORD(wParam) == EN_CHANGE) ShowStatus(page);
}

const PageOperations operations = {Fill, Store, SettingGroup::Fireworks, nullptr, 0, OnCommand};
}  // namespace

INT_PTR CALLBACK FireworksPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return EditingPageProc(page, message, wParam, lParam, operations);
}
