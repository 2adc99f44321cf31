// The sound bank against an in-memory DirectSound, for what a real device will not do on demand: refuse
// hardware or any buffers, fail a lock or a duplicate, split a lock in two, fail a play. The fake records
// what the bank played; reference counts show what it released. That a real device plays what
// the bank makes is heard end to end (tests/e2e/SoundTest.cpp).
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "audio/win32/SoundBank.h"

namespace {
// What the fake device does wrong from now on. A split lock is one as if the write cursor stood on
// the last byte: its first region is the buffer's tail, the second its head.
enum Fault { None, NoHardware, NoBuffer, LockFails, SecondDuplicateFails, SplitLock };
const DWORD SplitAt = 1;
typedef std::vector<uint8_t> Bytes;

#define FW_NOT_CALLED(signature) \
    HRESULT STDMETHODCALLTYPE signature override { return E_NOTIMPL; }

class FakeSoundBuffer : public IDirectSoundBuffer {
public:
    FakeSoundBuffer(const WAVEFORMATEX& f, std::shared_ptr<Bytes> s, const Fault& x) : format(f), samples(s), fault(x) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX out, DWORD, LPDWORD) override { return *out = format, DS_OK; }
    HRESULT STDMETHODCALLTYPE Lock(DWORD, DWORD bytes, LPVOID* first, LPDWORD firstBytes, LPVOID* second,
                                   LPDWORD secondBytes, DWORD) override
    {
        if (fault == LockFails || bytes > samples->size()) return DSERR_INVALIDPARAM;
        bool split = fault == SplitLock && SplitAt < bytes;
        *first = samples->data() + (split ? samples->size() - SplitAt : 0);
        *firstBytes = split ? SplitAt : bytes;
        *second = split ? samples->data() : nullptr;
        *secondBytes = split ? bytes - SplitAt : 0;
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return DS_OK; }
    HRESULT STDMETHODCALLTYPE SetPan(LONG value) override
    {
        pan = value;
        return value < DSBPAN_LEFT || value > DSBPAN_RIGHT ? DSERR_INVALIDPARAM : DS_OK;
    }
    HRESULT STDMETHODCALLTYPE SetVolume(LONG value) override { return volume = value, DS_OK; }
    HRESULT STDMETHODCALLTYPE Play(DWORD, DWORD, DWORD) override
    {
        ++plays;
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

    WAVEFORMATEX format;
    std::shared_ptr<Bytes> samples;  // duplicates share their original's
    const Fault& fault;
    long refs = 1;
    bool failPlay = false;
    LONG pan = 0, volume = -1;
    int plays = 0;
};

class FakeSoundDevice : public IDirectSound {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND, DWORD) override { return cooperativeResult; }
    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC d, LPDIRECTSOUNDBUFFER* out, IUnknown*) override
    {
        if (fault == NoBuffer || (fault == NoHardware && (d->dwFlags & DSBCAPS_LOCHARDWARE) != 0)) return DSERR_OUTOFMEMORY;
        duplicates = 0;
        auto samples = std::make_shared<Bytes>(d->dwBufferBytes, 0xCD);
        buffers.push_back(std::unique_ptr<FakeSoundBuffer>(new FakeSoundBuffer(*d->lpwfxFormat, samples, fault)));
        *out = buffers.back().get();
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* out) override
    {
        if (fault == SecondDuplicateFails && ++duplicates == 2) return DSERR_OUTOFMEMORY;
        FakeSoundBuffer* source = static_cast<FakeSoundBuffer*>(original);
        buffers.push_back(std::unique_ptr<FakeSoundBuffer>(new FakeSoundBuffer(source->format, source->samples, fault)));
        *out = buffers.back().get();
        return DS_OK;
    }
    FW_NOT_CALLED(GetCaps(LPDSCAPS))
    FW_NOT_CALLED(Compact())
    FW_NOT_CALLED(GetSpeakerConfig(LPDWORD))
    FW_NOT_CALLED(SetSpeakerConfig(DWORD))
    FW_NOT_CALLED(Initialize(LPCGUID))

    long refs = 0;
    HRESULT cooperativeResult = DS_OK;
    Fault fault = None;
    int duplicates = 0;  // of the last buffer made
    std::vector<std::unique_ptr<FakeSoundBuffer>> buffers;
};
#undef FW_NOT_CALLED

FakeSoundDevice* fakeDevice = nullptr;

HRESULT WINAPI CreateFakeDevice(LPCGUID, LPDIRECTSOUND* out, LPUNKNOWN)
{
    fakeDevice->AddRef();
    *out = fakeDevice;
    return DS_OK;
}

// A broken and a tiny resource of SoundBankTest.rc.
const WORD LyingHeader = 901, TinyWave = 905;

// Installs the fake for CreateFakeDevice for as long as it lives.
struct Hook {
    explicit Hook(FakeSoundDevice* device) { fakeDevice = device; }
    ~Hook() { fakeDevice = nullptr; }
};

class SoundBankFake : public ::testing::Test {
protected:
    FakeSoundBuffer& Voice(uint32_t slot) { return *static_cast<FakeSoundBuffer*>(bank.Voice(slot)); }
    int32_t Load(WORD id, uint32_t voices) { return bank.LoadWaveResource(GetModuleHandleA(nullptr), id, voices); }

    FakeSoundDevice device;
    Hook hook{&device};
    SoundBank bank{nullptr, CreateFakeDevice};  // the fake needs no window
};
}  // namespace

TEST_F(SoundBankFake, ReleasesEverythingOnceAndStaysSilentWhenTheDeviceRefusesTheLevel)
{
    ASSERT_EQ(Load(TinyWave, 4), 0);
    bank.Release();
    bank.Release();
    for (const auto& buffer : device.buffers) EXPECT_EQ(buffer->refs, 0);
    EXPECT_EQ(device.refs, 0) << "released once, however often asked";
    EXPECT_FALSE(bank.PlayEffect(0, 0, 10000, 0));

    device.cooperativeResult = DSERR_INVALIDPARAM;
    SoundBank refused(nullptr, CreateFakeDevice);
    EXPECT_FALSE(refused.IsReady());
    EXPECT_EQ(device.refs, 0) << "a device that refused the level is released at once";
    EXPECT_EQ(refused.LoadWaveResource(GetModuleHandleA(nullptr), TinyWave, 1), -1);
}

TEST_F(SoundBankFake, LoadsIntoTheFirstFreeRunFillsTheVoiceAndAFailureCostsOnlyWhatFailed)
{
    const struct {
        WORD id;
        uint32_t voices;
        Fault fault;
        int32_t effect, first;
        uint32_t count;
    } loads[] = {
        {LyingHeader, 1, None, -1, 0, 0},  // its RIFF header claims more than the resource holds
        {999, 1, None, -1, 0, 0},
        {TinyWave, 0, None, -1, 0, 0},
        {TinyWave, 33, None, -1, 0, 0},
        {TinyWave, 4, LockFails, -1, 0, 0},
        {TinyWave, 4, SecondDuplicateFails, 0, 0, 3},  // leaves slot 3 free
        {TinyWave, 1, NoHardware, 1, 3, 1},            // mixed in software instead
        {TinyWave, 2, NoBuffer, -1, 0, 0},
        {TinyWave, 2, None, 2, 4, 2},
        {TinyWave, 15, None, 3, 6, 15},
        {TinyWave, 1, SplitLock, 4, 21, 1},
        {TinyWave, 11, None, -1, 0, 0},  // ten slots left
        {TinyWave, 10, None, 5, 22, 10},
    };
    for (const auto& row : loads) {
        SCOPED_TRACE(testing::Message() << "voices " << row.voices << ", fault " << row.fault);
        device.fault = row.fault;
        ASSERT_EQ(Load(row.id, row.voices), row.effect);
        EXPECT_EQ(bank.Effect(row.effect).first, row.effect < 0 ? -1 : row.first);
        EXPECT_EQ(bank.Effect(row.effect).count, row.count);
    }
    // The resource's format, and its samples filled into both regions of the split lock in order.
    const WAVEFORMATEX& f = Voice(21).format;
    EXPECT_EQ((std::vector<DWORD>{f.wFormatTag, f.nChannels, f.nSamplesPerSec, f.nAvgBytesPerSec, f.nBlockAlign, f.wBitsPerSample}),
              (std::vector<DWORD>{WAVE_FORMAT_PCM, 1, 8000, 8000, 1, 8}));
    EXPECT_EQ(*Voice(21).samples, (Bytes{0x80, 0xFF, 0xC0, 0x40}));
    // Every voice the bank holds is referenced once; every other buffer it made was released.
    for (const auto& buffer : device.buffers) {
        bool held = false;
        for (uint32_t slot = 0; slot < SoundBank::SlotCount; ++slot) held = held || bank.Voice(slot) == buffer.get();
        EXPECT_EQ(buffer->refs, held ? 1 : 0);
    }
}

TEST_F(SoundBankFake, PlaysTheVoicesInTurnAtFullVolumeWithTheirPan)
{
    ASSERT_EQ(Load(TinyWave, 4), 0);
    ASSERT_EQ(Load(TinyWave, 2), 1);
    const int32_t pans[] = {-10000, -5000, 0, 5000, 10000};
    for (int32_t pan : pans) EXPECT_TRUE(bank.PlayEffect(0, 0, 10000, pan)) << pan;
    // Voices 0, 1, 2, 3 and 0 again.
    for (uint32_t slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(Voice(slot).plays, slot == 0 ? 2 : 1) << slot;
        EXPECT_EQ(Voice(slot).pan, pans[slot == 0 ? 4 : slot]);
        EXPECT_EQ(Voice(slot).volume, 0) << "level 10000 is no attenuation";
    }
    // A pan the platform refuses does not stop the play; a play that fails still moves the turn on.
    EXPECT_TRUE(bank.PlayEffect(1, 0, 10000, 20000));
    Voice(5).failPlay = true;
    EXPECT_FALSE(bank.PlayEffect(1, 0, 10000, 0));
    EXPECT_TRUE(bank.PlayEffect(1, 0, 10000, 0));
    EXPECT_EQ(Voice(4).plays, 2);
    // Ids that were never loaded, or cannot be, play nothing.
    for (int32_t effect : {2, -1, 32, INT32_MAX, INT32_MIN}) EXPECT_FALSE(bank.PlayEffect(effect, 0, 10000, 0)) << effect;
}
