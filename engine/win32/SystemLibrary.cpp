// SystemLibrary: see SystemLibrary.h for why these DLLs are loaded at run time and how it degrades.
#include "engine/win32/SystemLibrary.h"

#include <cwchar>

namespace {
typedef BOOL(WINAPI* SetDefaultDllDirectoriesFn)(DWORD flags);
typedef BOOL(WINAPI* SetDllDirectoryFn)(LPCWSTR path);
typedef HRESULT(WINAPI* DirectDrawCreateFn)(GUID*, LPDIRECTDRAW*, IUnknown*);
typedef HRESULT(WINAPI* DirectSoundCreateFn)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);
typedef MCIERROR(WINAPI* MciSendCommandFn)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);
typedef DWORD(WINAPI* TimeGetTimeFn)();

// Both arrived with the same Windows 7 update, and with Windows 8.
const DWORD searchSystem32 = 0x800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

FARPROC KernelFunction(const char* name)
{
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel != nullptr ? GetProcAddress(kernel, name) : nullptr;
}

// A function of a system DLL as its typed pointer, or nullptr.
template <typename Function> Function SystemFunction(const wchar_t* library, const char* name)
{
    HMODULE module = LoadSystemLibrary(library);
    return module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                             : nullptr;
}
}  // namespace

void RestrictDllSearchToSystemFolder()
{
    SetDefaultDllDirectoriesFn restrict = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void (*)()>(KernelFunction("SetDefaultDllDirectories")));
    if (restrict != nullptr && restrict(searchSystem32)) return;
    SetDllDirectoryFn setDirectory =
        reinterpret_cast<SetDllDirectoryFn>(reinterpret_cast<void (*)()>(KernelFunction("SetDllDirectoryW")));
    if (setDirectory != nullptr) setDirectory(L"");  // drops the current directory from the search
}

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    HMODULE module = LoadLibraryExW(name, nullptr, searchSystem32);
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    // A system that does not know the flag: name the file in the system folder, and let the DLL's
    // own imports be looked for there first.
    wchar_t path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    size_t nameLength = std::wcslen(name);
    if (length == 0 || length + 1 + nameLength >= MAX_PATH) return nullptr;
    path[length] = L'\\';
    std::wmemcpy(path + length + 1, name, nameLength + 1);
    return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HRESULT WINAPI SystemDirectDrawCreate(GUID* driver, LPDIRECTDRAW* result, IUnknown* outer)
{
    static const DirectDrawCreateFn create = SystemFunction<DirectDrawCreateFn>(L"ddraw.dll", "DirectDrawCreate");
    return create != nullptr ? create(driver, result, outer) : DDERR_GENERIC;
}

HRESULT WINAPI SystemDirectSoundCreate(LPCGUID device, LPDIRECTSOUND* result, LPUNKNOWN outer)
{
    static const DirectSoundCreateFn create = SystemFunction<DirectSoundCreateFn>(L"dsound.dll", "DirectSoundCreate");
    return create != nullptr ? create(device, result, outer) : DSERR_NODRIVER;
}

MCIERROR WINAPI SystemMciSendCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    static const MciSendCommandFn send = SystemFunction<MciSendCommandFn>(L"winmm.dll", "mciSendCommandA");
    return send != nullptr ? send(device, message, flags, parameters) : MCIERR_DEVICE_NOT_INSTALLED;
}

DWORD SystemMilliseconds()
{
    static const TimeGetTimeFn now = SystemFunction<TimeGetTimeFn>(L"winmm.dll", "timeGetTime");
    return now != nullptr ? now() : GetTickCount();
}
