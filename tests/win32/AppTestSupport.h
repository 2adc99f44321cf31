// Shared by the in-process tests of the application object: message pumping and the sound bank's voices.
#pragma once
#include <windows.h>

#include "audio/win32/SoundBank.h"

// Dispatches the thread's messages for a while; the quit message of a closed show is dropped.
inline void Pump(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

// How many of a sound bank's voices are sounding; -1 without a bank or a sound device.
inline int VoicesPlaying(const SoundBank* bank)
{
    if (bank == nullptr || !bank->IsReady()) return -1;
    int playing = 0;
    for (uint32_t slot = 0; slot < SoundBank::SlotCount; ++slot) {
        DWORD status = 0;
        IDirectSoundBuffer* voice = bank->Voice(slot);
        playing += voice != nullptr && SUCCEEDED(voice->GetStatus(&status)) && (status & DSBSTATUS_PLAYING) != 0;
    }
    return playing;
}
