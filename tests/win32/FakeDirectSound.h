// A DirectSound device and its buffers in memory, for the cases a real device will not produce on
// demand: refused hardware buffers, failing duplicates, split locks and failing plays. It records what
// the sound bank asks for; reference counts show what the bank released. Only the calls the bank makes
// do anything; the rest answer E_NOTIMPL.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <cstdint>
#include <memory>
#include <vector>

#define FW_NOT_CALLED(signature) \
    HRESULT STDMETHODCALLTYPE signature override { return E_NOTIMPL; }

class FakeSoundBuffer : public IDirectSoundBuffer {
public:
    FakeSoundBuffer(const DSBUFFERDESC& d, std::shared_ptr<std::vector<uint8_t>> shared)
        : description(d), format(*d.lpwfxFormat), samples(shared)
    {
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX out, DWORD, LPDWORD) override { return *out = format, DS_OK; }
    // With splitAt set, as if the write cursor stood splitAt bytes before the end: the first region is
    // the buffer's tail, the second its head.
    HRESULT STDMETHODCALLTYPE Lock(DWORD, DWORD bytes, LPVOID* first, LPDWORD firstBytes, LPVOID* second,
                                   LPDWORD secondBytes, DWORD flags) override
    {
        lockFlags = flags;
        if (failLock || bytes > samples->size()) return DSERR_INVALIDPARAM;
        bool split = splitAt != 0 && splitAt < bytes;
        *first = samples->data() + (split ? samples->size() - splitAt : 0);
        *firstBytes = split ? splitAt : bytes;
        *second = split ? samples->data() : nullptr;
        *secondBytes = split ? bytes - splitAt : 0;
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return DS_OK; }
    HRESULT STDMETHODCALLTYPE SetPan(LONG value) override
    {
        pans.push_back(value);
        return value < DSBPAN_LEFT || value > DSBPAN_RIGHT ? DSERR_INVALIDPARAM : DS_OK;
    }
    HRESULT STDMETHODCALLTYPE SetVolume(LONG value) override { return volumes.push_back(value), DS_OK; }
    HRESULT STDMETHODCALLTYPE Play(DWORD, DWORD, DWORD flags) override
    {
        plays.push_back(flags);
        return failPlay ? DSERR_BUFFERLOST : DS_OK;
    }
    FW_NOT_CALLED(Stop())
    FW_NOT_CALLED(SetCurrentPosition(DWORD))
    FW_NOT_CALLED(GetCaps(LPDSBCAPS))
    FW_NOT_CALLED(GetCurrentPosition(LPDWORD, LPDWORD))
    FW_NOT_CALLED(GetVolume(LPLONG))
    FW_NOT_CALLED(GetPan(LPLONG))
    FW_NOT_CALLED(GetFrequency(LPDWORD))
    FW_NOT_CALLED(GetStatus(LPDWORD))
    FW_NOT_CALLED(Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC))
    FW_NOT_CALLED(SetFormat(LPCWAVEFORMATEX))
    FW_NOT_CALLED(SetFrequency(DWORD))
    FW_NOT_CALLED(Restore())

    DSBUFFERDESC description;
    WAVEFORMATEX format;
    std::shared_ptr<std::vector<uint8_t>> samples;
    long refs = 1;
    bool failLock = false, failPlay = false;
    DWORD splitAt = 0, lockFlags = 0;
    std::vector<LONG> pans, volumes;
    std::vector<DWORD> plays;  // the flags of each play
};

class FakeSoundDevice : public IDirectSound {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) override
    {
        cooperativeWindow = window;
        cooperativeLevel = level;
        return cooperativeResult;
    }
    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC d, LPDIRECTSOUNDBUFFER* out, IUnknown*) override
    {
        createFlags.push_back(d->dwFlags);
        if ((d->dwFlags & DSBCAPS_LOCHARDWARE) != 0 ? refuseHardware : refuseSoftware) return DSERR_OUTOFMEMORY;
        auto samples = std::make_shared<std::vector<uint8_t>>(d->dwBufferBytes, 0xCD);
        buffers.push_back(std::unique_ptr<FakeSoundBuffer>(new FakeSoundBuffer(*d, samples)));
        buffers.back()->splitAt = splitNextLockAt;
        buffers.back()->failLock = failNewLocks;
        *out = buffers.back().get();
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* out) override
    {
        if (++duplicateCalls == failDuplicateCall) return DSERR_OUTOFMEMORY;
        FakeSoundBuffer* source = static_cast<FakeSoundBuffer*>(original);
        buffers.push_back(std::unique_ptr<FakeSoundBuffer>(new FakeSoundBuffer(source->description, source->samples)));
        *out = buffers.back().get();
        return DS_OK;
    }
    FW_NOT_CALLED(GetCaps(LPDSCAPS))
    FW_NOT_CALLED(Compact())
    FW_NOT_CALLED(GetSpeakerConfig(LPDWORD))
    FW_NOT_CALLED(SetSpeakerConfig(DWORD))
    FW_NOT_CALLED(Initialize(LPCGUID))

    long refs = 0;
    HWND cooperativeWindow = nullptr;
    DWORD cooperativeLevel = 0;
    HRESULT cooperativeResult = DS_OK;
    bool refuseHardware = false, refuseSoftware = false, failNewLocks = false;
    DWORD splitNextLockAt = 0;
    int duplicateCalls = 0, failDuplicateCall = 0;  // the 1-based duplicate call that fails, 0 for none
    std::vector<DWORD> createFlags;
    std::vector<std::unique_ptr<FakeSoundBuffer>> buffers;
};
#undef FW_NOT_CALLED
