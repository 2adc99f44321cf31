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
    FakeSoundBuffer(const DSBUFFERDESC& d, std::shared_ptr<std::vector<uint8_t>> shared, bool dup)
        : description(d), format(*d.lpwfxFormat), samples(shared), duplicate(dup)
    {
        description.lpwfxFormat = &format;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }

    // What the bank uses.
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX out, DWORD size, LPDWORD written) override
    {
        if (failGetFormat) return DSERR_GENERIC;
        if (out == nullptr || size < sizeof(WAVEFORMATEX)) return DSERR_INVALIDPARAM;
        *out = format;
        if (written != nullptr) *written = sizeof(WAVEFORMATEX);
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD firstBytes, LPVOID* second,
                                   LPDWORD secondBytes, DWORD flags) override
    {
        lockOffset = offset;
        lockBytes = bytes;
        lockFlags = flags;
        if (failLock || bytes > samples->size()) return DSERR_INVALIDPARAM;
        // With splitAt set, act as if the write cursor stood splitAt bytes before the end: the first
        // region is the buffer's tail, the second its head.
        uint8_t* base = samples->data();
        if (splitAt == 0 || splitAt >= bytes) {
            *first = base;
            *firstBytes = bytes;
            *second = nullptr;
            *secondBytes = 0;
        } else {
            *first = base + samples->size() - splitAt;
            *firstBytes = splitAt;
            *second = base;
            *secondBytes = bytes - splitAt;
        }
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID, DWORD, LPVOID, DWORD) override
    {
        ++unlocks;
        return DS_OK;
    }
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
        if (value < DSBVOLUME_MIN || value > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
        volume = value;
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE Play(DWORD reserved1, DWORD priority, DWORD flags) override
    {
        plays.push_back(PlayCall{reserved1, priority, flags});
        return failPlay ? DSERR_BUFFERLOST : DS_OK;
    }

    // The rest is never called by the bank.
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

    HRESULT Unexpected()
    {
        ++unexpectedCalls;
        return E_NOTIMPL;
    }

    struct PlayCall {
        DWORD reserved, priority, flags;
    };

    DSBUFFERDESC description;
    WAVEFORMATEX format;
    std::shared_ptr<std::vector<uint8_t>> samples;
    bool duplicate;
    long refs = 1;
    bool failGetFormat = false, failLock = false, failPlay = false;
    DWORD splitAt = 0;  // first region's length; 0 hands out one region
    DWORD lockOffset = 0, lockBytes = 0, lockFlags = 0;
    int unlocks = 0, unexpectedCalls = 0;
    LONG pan = 0, volume = 0;
    std::vector<LONG> panCalls, volumeCalls;
    std::vector<PlayCall> plays;
};

class FakeSoundDevice : public IDirectSound {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
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
        createSizes.push_back(d->dwSize);
        outerObjects.push_back(outer);
        bool hardware = (d->dwFlags & DSBCAPS_LOCHARDWARE) != 0;
        if ((hardware && refuseHardware) || (!hardware && refuseSoftware)) return hardware ? E_NOTIMPL : DSERR_OUTOFMEMORY;
        auto samples = std::make_shared<std::vector<uint8_t>>(d->dwBufferBytes, 0xCD);
        buffers.push_back(std::unique_ptr<FakeSoundBuffer>(new FakeSoundBuffer(*d, samples, false)));
        buffers.back()->splitAt = splitNextLockAt;
        buffers.back()->failLock = failNewLocks;
        buffers.back()->failGetFormat = failNewFormats;
        *out = buffers.back().get();
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* out) override
    {
        ++duplicateCalls;
        duplicatedFrom.push_back(original);
        if (duplicateCalls == failDuplicateCall) return DSERR_OUTOFMEMORY;
        FakeSoundBuffer* source = static_cast<FakeSoundBuffer*>(original);
        buffers.push_back(std::unique_ptr<FakeSoundBuffer>(new FakeSoundBuffer(source->description, source->samples, true)));
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
    bool failNewLocks = false, failNewFormats = false;  // for the buffers made from now on
    DWORD splitNextLockAt = 0;
    int duplicateCalls = 0, failDuplicateCall = 0;  // the 1-based duplicate call that fails, 0 for none
    std::vector<DWORD> createFlags, createSizes;
    std::vector<IUnknown*> outerObjects;
    std::vector<IDirectSoundBuffer*> duplicatedFrom;
    std::vector<std::unique_ptr<FakeSoundBuffer>> buffers;
};
