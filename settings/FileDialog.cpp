// File dialog, through COMDLG32's GetOpenFileNameA. See FileDialog.h for how it degrades.
#include "settings/FileDialog.h"

namespace {
OpenFileNameFunction openFileName = nullptr;

const char midiFilter[] = "MIDI files (*.mid, *.midi)\0*.mid;*.midi\0All files (*.*)\0*.*\0";
}  // namespace

bool ChooseMidiFile(HWND owner, char* path, DWORD capacity)
{
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpstrFilter = midiFilter;
    request.nFilterIndex = 1;
    request.lpstrFile = path;
    request.nMaxFile = capacity;
    request.lpstrTitle = "Choose a MIDI File";
    request.lpstrDefExt = "mid";
    request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    OpenFileNameFunction call = openFileName != nullptr ? openFileName : GetOpenFileNameA;
    return call(&request) != FALSE;
}

void SetOpenFileNameFunction(OpenFileNameFunction function) { openFileName = function; }
