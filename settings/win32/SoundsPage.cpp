// Sounds page: sound effects, and music from a CD track or a MIDI file.
// Degrades: a file dialog that cannot be shown leaves the MIDI path as it was.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "resources/resource.h"
#include "settings/DecimalText.h"
#include "settings/Settings.h"
#include "settings/win32/FileDialog.h"
#include "settings/win32/PageCommon.h"
#include "settings/win32/Pages.h"

namespace {
const int trackTextSize = 20;  // the track is read from the first 19 characters

// As many digits as the highest track has.
int TrackDigits()
{
    int digits = 1;
    for (int64_t high = FieldOf(SettingId::CDTrack).high; high >= 10; high /= 10) ++digits;
    return digits;
}

void Enable(HWND page, int id, bool enabled) { EnableWindow(GetDlgItem(page, id), enabled ? TRUE : FALSE); }

// Only the controls of the chosen music source can be used, and none while music is off.
void ApplyEnablingRule(HWND page)
{
    bool music = IsChecked(page, IDC_MUSIC);
    bool cd = music && IsChecked(page, IDC_MUSIC_CD);
    Enable(page, IDC_MUSIC_CD, music);
    Enable(page, IDC_MUSIC_MIDI, music);
    Enable(page, IDC_TRACK_LABEL, cd);
    Enable(page, IDC_TRACK, cd);
    Enable(page, IDC_TRACK_SPIN, cd);
    Enable(page, IDC_MIDI_FILE, music && !cd);
    Enable(page, IDC_BROWSE, music && !cd);
}

void Fill(HWND page, Settings& settings)
{
    CheckDlgButton(page, IDC_SOUND_EFFECTS, settings.GetSoundEffects() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_MUSIC, settings.GetMusic() ? BST_CHECKED : BST_UNCHECKED);
    // The two radio buttons' ids are not adjacent (the track controls sit between them), so each is
    // set on its own rather than with CheckRadioButton.
    bool cd = settings.GetMusicMode() == Settings::CompactDisc;
    CheckDlgButton(page, IDC_MUSIC_CD, cd ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_MUSIC_MIDI, cd ? BST_UNCHECKED : BST_CHECKED);
    const SettingField& tracks = FieldOf(SettingId::CDTrack);
    SendDlgItemMessageA(page, IDC_TRACK, EM_LIMITTEXT, static_cast<WPARAM>(TrackDigits()), 0);
    SendDlgItemMessageA(page, IDC_TRACK_SPIN, UDM_SETRANGE32, static_cast<WPARAM>(tracks.low),
                        static_cast<LPARAM>(tracks.high));
    char track[16];
    std::snprintf(track, sizeof(track), "%u", static_cast<unsigned>(settings.GetCDTrack()));
    SetDlgItemTextA(page, IDC_TRACK, track);
    SendDlgItemMessageA(page, IDC_MIDI_FILE, EM_LIMITTEXT, PagePathLength, 0);
    SetDlgItemTextA(page, IDC_MIDI_FILE, settings.GetMIDIFile() != nullptr ? settings.GetMIDIFile() : "");
    ApplyEnablingRule(page);
}

void Store(HWND page, Settings& settings)
{
    settings.SetSoundEffects(IsChecked(page, IDC_SOUND_EFFECTS));
    settings.SetMusic(IsChecked(page, IDC_MUSIC));
    settings.SetMusicMode(IsChecked(page, IDC_MUSIC_CD) ? Settings::CompactDisc : Settings::MidiFile);
    char track[trackTextSize] = "";
    GetDlgItemTextA(page, IDC_TRACK, track, sizeof(track));
    // Not a number gives 0; saving validates it to 1.
    settings.SetCDTrack(static_cast<uint32_t>(ParseDecimal(track)));
    char path[PagePathLength + 1] = "";
    GetDlgItemTextA(page, IDC_MIDI_FILE, path, sizeof(path));
    settings.SetMIDIFile(path);
}

void OnCommand(HWND page, WPARAM wParam)
{
    Settings* settings = PageSettings(page);
    if (settings != nullptr && IsClick(wParam, IDC_BROWSE))
        BrowseForPath(page, IDC_MIDI_FILE, *settings, SettingId::MIDIFile, ChooseMidiFile);
    ApplyEnablingRule(page);
}

const PageOperations operations = {Fill, Store, SettingGroup::Sounds, nullptr, 0, OnCommand};
}  // namespace

INT_PTR CALLBACK SoundsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return EditingPageProc(page, message, wParam, lParam, operations);
}
