// A DirectSound device and its buffers in memory, for driving the sound bank through cases a real
// device will not produce on demand: refused hardware buffers, failing duplicates, locks and plays.
// Everything the bank asks for is recorded; reference counts show what it released.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <cstdint>
#include <memory>
#include <vector>

class FakeSoundBuffer : public IDirectSoundBuffer {
public:
    FakeSoundBuffer(const DSBUFFERDESC& d, std::shared_ptr<std::vector<uint8_t>> shared)
        : description(d), format(*d.lpwfxFormat), samples(shared)
    {
        description.lpwfxFormat = &format;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }

    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX out, DWORD size, LPDWORD written) override
    {
        if (out == nullptr || size < sizeof(WAVEFORMATEX)) return DSERR_INVALIDPARAM;
        *out = format;
        if (written != nullptr) *written = sizeof(WAVEFORMATEX);
        return DS_OK;
    }
    // With splitAt set, acts as if the write cursor stood splitAt bytes before the end: the first
    // region is the buffer's tail, the second its head.
    HRESULT STDMETHODCALLTYPE Lock(DWORD, DWORD bytes, LPVOID* first, LPDWORD firstBytes, LPVOID* second,
                                   LPDWORD secondBytes, DWORD flags) override
    {
        lockBytes = bytes;
        lockFlags = flags;
        if (failLock || bytes > samples->size()) return DSERR_INVALIDPARAM;
        bool split = splitAt != 0 && splitAt < bytes;
        *first = samples->data() + (split ? samples->size() - splitAt : 0);
        *firstBytes = split ? splitAt : bytes;
        *second = split ? samples->data() : nullptr;
        *secondBytes = split ? bytes - splitAt : 0;
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return ++unlocks, DS_OK; }
    HRESULT STDMETHODCALLTYPE SetPan(LONG value) override
    {
        panCalls.push_back(value);
        if (value < DSBPAN_LEFT || value > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
        pan = value;
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE SetVolume(LONG value) override
    {
        volumeCalls.push_back(value);
        return value < DSBVOLUME_MIN || value > DSBVOLUME_MAX ? DSERR_INVALIDPARAM : DS_OK;
    }
    HRESULT STDMETHODCALLTYPE Play(DWORD reserved, DWORD priority, DWORD flags) override
    {
        plays.push_back(reserved == 0 && priority == 0 ? flags : 0xBAD);
        return failPlay ? DSERR_BUFFERLOST : DS_OK;
    }

    // The rest is never called by the bank: a voice is neither stopped nor rewound, for one.
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS) override { return Unexpected(); }
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD, LPDWORD) override { return Unexpected(); }
    HRESULT STDMETHODCALLTYPE GetVolume(LPLONG) override { return Unexpected(); }
    HRESULT STDMETHODCALLTYPE GetPan(LPLONG) override { return Unexpected(); }
    HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD) override { return Unexpected(); }
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD) override { return Unexpected(); }
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) override { return Unexpected(); }
    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD) override { return Unexpected(); }
    HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX) override { return Unexpected(); }
    HRESULT STDMETHODCALLTYPE SetFrequency(DWORD) override { return Unexpected(); }
    HRESULT STDMETHODCALLTYPE Stop() override { return Unexpected(); }
    HRESULT STDMETHODCALLTYPE Restore() override { return Unexpected(); }
    HRESULT Unexpected() { return ++unexpectedCalls, E_NOTIMPL; }

    DSBUFFERDESC description;
    WAVEFORMATEX format;
    std::shared_ptr<std::vector<uint8_t>> samples;
    long refs = 1;
    bool failLock = false, failPlay = false;
    DWORD splitAt = 0;  // first region's length; 0 hands out one region
    DWORD lockBytes = 0, lockFlags = 0;
    int unlocks = 0, unexpectedCalls = 0;
    LONG pan = 0;
    std::vector<LONG> panCalls, volumeCalls;
    std::vector<DWORD> plays;  // the flags of each play; 0xBAD when reserved or priority were not 0
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
    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC d, LPDIRECTSOUNDBUFFER* out, IUnknown* outer) override
    {
        createFlags.push_back(d->dwFlags);
        bool hardware = (d->dwFlags & DSBCAPS_LOCHARDWARE) != 0;
        if (outer != nullptr) return DSERR_NOAGGREGATION;
        if (hardware ? refuseHardware : refuseSoftware) return hardware ? E_NOTIMPL : DSERR_OUTOFMEMORY;
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

    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCAPS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Compact() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Initialize(LPCGUID) override { return E_NOTIMPL; }

    long refs = 0;
    HWND cooperativeWindow = nullptr;
    DWORD cooperativeLevel = 0;
    HRESULT cooperativeResult = DS_OK;
    bool refuseHardware = false, refuseSoftware = false;
    bool failNewLocks = false;  // for the buffers made from now on
    DWORD splitNextLockAt = 0;
    int duplicateCalls = 0, failDuplicateCall = 0;  // the 1-based duplicate call that fails, 0 for none
    std::vector<DWORD> createFlags;
    std::vector<std::unique_ptr<FakeSoundBuffer>> buffers;
};
