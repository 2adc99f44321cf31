// File dialog, through COMDLG32's GetOpenFileNameA. See FileDialog.h for how it degrades.
#include "settings/win32/FileDialog.h"

namespace {
OpenFileNameFunction openFileName = nullptr;

// What differs between the kinds of file the settings ask for: filter pairs of description and
// pattern (ending in an empty description), title and the extension added to a bare name.
struct FileKind {
    const char* filter;
    const char* title;
    const char* defaultExtension;
};

const FileKind midiKind = {"MIDI files (*.mid, *.midi)\0*.mid;*.midi\0All files (*.*)\0*.*\0", "Choose a MIDI File", "mid"};
const FileKind scriptKind = {"Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0", "Choose a File of Fireworks", "txt"};

bool ChooseFile(HWND owner, char* path, DWORD capacity, const FileKind& kind)
{
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpstrFilter = kind.filter;
    request.nFilterIndex = 1;
    request.lpstrFile = path;
    request.nMaxFile = capacity;
    request.lpstrTitle = kind.title;
    request.lpstrDefExt = kind.defaultExtension;
    request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    OpenFileNameFunction call = openFileName != nullptr ? openFileName : GetOpenFileNameA;
    return call(&request) != FALSE;
}
}  // namespace

bool ChooseMidiFile(HWND owner, char* path, DWORD capacity) { return ChooseFile(owner, path, capacity, midiKind); }

bool ChooseScriptFile(HWND owner, char* path, DWORD capacity) { return ChooseFile(owner, path, capacity, scriptKind); }

void SetOpenFileNameFunction(OpenFileNameFunction function) { openFileName = function; }
