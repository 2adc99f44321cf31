// SystemLibrary: the system DLLs that the program does not import, loaded at run time from the
// system folder only. Windows looks for an imported DLL that is not one of its known DLLs in the
// program's own folder first, so a ddraw.dll, dsound.dll or winmm.dll left in a download folder
// beside the saver would run with the user's rights. DirectDraw, DirectSound and the multimedia
// functions therefore come through here, and only the always-safe system DLLs are imported.
// Degrades: where the system cannot restrict the search to its folder (before the Windows 7 update
// that brought SetDefaultDllDirectories) the DLL is loaded by its full path in the system folder; a
// DLL that cannot be loaded at all reads as absent: no DirectDraw (so GDI), no sound device (so
// silence), no music, and the coarser tick count as the clock.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <ddraw.h>
#include <dsound.h>

// Makes the system folder the only one from which the process loads DLLs by name. The program
// calls it first thing; systems without SetDefaultDllDirectories at least lose the current directory.
void RestrictDllSearchToSystemFolder();

// The DLL `name` (such as L"ddraw.dll") from the system folder, never from the program's folder or
// the current directory; nullptr when it cannot be loaded. It stays loaded for the life of the process.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The functions of those DLLs, with the signatures of the originals. Each resolves its DLL once.
HRESULT WINAPI SystemDirectDrawCreate(GUID* driver, LPDIRECTDRAW* result, IUnknown* outer);  // else DDERR_GENERIC
HRESULT WINAPI SystemDirectSoundCreate(LPCGUID device, LPDIRECTSOUND* result, LPUNKNOWN outer);  // else DSERR_NODRIVER
MCIERROR WINAPI SystemMciSendCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                                     DWORD_PTR parameters);  // else MCIERR_DEVICE_NOT_INSTALLED
// Milliseconds of the system clock: timeGetTime, or GetTickCount when winmm.dll is not there.
DWORD SystemMilliseconds();
