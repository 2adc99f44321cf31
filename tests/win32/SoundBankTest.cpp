// The sound bank against an in-memory DirectSound, for what a real device will not do on demand: refuse
// hardware or any buffers, fail a lock or a duplicate, split a lock in two, fail a play. The fake records
// what the bank played; reference counts show what it released. That a real device plays what
// the bank makes is heard end to end (tests/e2e/SoundTest.cpp).
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <numeric>
#include <vector>

#include "audio/win32/SoundBank.h"

namespace {
#define FW_NOT_CALLED(signature) \
    HRESULT STDMETHODCALLTYPE signature override { return E_NOTIMPL; }

class FakeSoundBuffer : public IDirectSoundBuffer {
public:
    FakeSoundBuffer(const WAVEFORMATEX& f, std::shared_ptr<std::vector<uint8_t>> shared) : format(f), samples(shared) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX out, DWORD, LPDWORD) override { return *out = format, DS_OK; }
    // With splitAt set, as if the write cursor stood splitAt bytes before the end: the first region is
    // the buffer's tail, the second its head.
    HRESULT STDMETHODCALLTYPE Lock(DWORD, DWORD bytes, LPVOID* first, LPDWORD firstBytes, LPVOID* second,
                                   LPDWORD secondBytes, DWORD) override
    {
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
        pan = value;
        return value < DSBPAN_LEFT || value > DSBPAN_RIGHT ? DSERR_INVALIDPARAM : DS_OK;
    }
    HRESULT STDMETHODCALLTYPE SetVolume(LONG value) override { return volume = value, DS_OK; }
    HRESULT STDMETHODCALLTYPE Play(DWORD, DWORD, DWORD flags) override
    {
        ++plays;
        playFlags = flags;
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
    std::shared_ptr<std::vector<uint8_t>> samples;  // duplicates share their original's
    long refs = 1;
    bool failLock = false, failPlay = false;
    DWORD splitAt = 0, playFlags = 0;
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
        if ((d->dwFlags & DSBCAPS_LOCHARDWARE) != 0 ? refuseHardware : refuseSoftware) return DSERR_OUTOFMEMORY;
        auto samples = std::make_shared<std::vector<uint8_t>>(d->dwBufferBytes, 0xCD);
        buffers.push_back(std::unique_ptr<FakeSoundBuffer>(new FakeSoundBuffer(*d->lpwfxFormat, samples)));
        buffers.back()->splitAt = splitNextLockAt;
        buffers.back()->failLock = failNewLocks;
        *out = buffers.back().get();
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* out) override
    {
        if (++duplicateCalls == failDuplicateCall) return DSERR_OUTOFMEMORY;
        FakeSoundBuffer* source = static_cast<FakeSoundBuffer*>(original);
        buffers.push_back(std::unique_ptr<FakeSoundBuffer>(new FakeSoundBuffer(source->format, source->samples)));
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
    bool refuseHardware = false, refuseSoftware = false, failNewLocks = false;
    DWORD splitNextLockAt = 0;
    int duplicateCalls = 0, failDuplicateCall = 0;  // the 1-based duplicate call that fails, 0 for none
    std::vector<std::unique_ptr<FakeSoundBuffer>> buffers;
};
#undef FW_NOT_CALLED

FakeSoundDevice* fakeDevice = nullptr;

// The fake when one is installed, else no device at all.
HRESULT WINAPI CreateFakeDevice(LPCGUID, LPDIRECTSOUND* out, LPUNKNOWN)
{
    *out = fakeDevice;
    if (fakeDevice == nullptr) return DSERR_NODRIVER;
    fakeDevice->AddRef();
    return DS_OK;
}

// A broken and a tiny resource of SoundBankTest.rc.
const WORD LyingHeader = 901, TinyWave = 905;

// Installs the fake for CreateFakeDevice for as long as it lives.
struct Hook {
    explicit Hook(FakeSoundDevice* device) { fakeDevice = device; }
    ~Hook() { fakeDevice = nullptr; }
};

// A bank on the fake device, made before each test begins.
class SoundBankFake : public ::testing::Test {
protected:
    FakeSoundBuffer& Voice(uint32_t slot) { return *static_cast<FakeSoundBuffer*>(bank.Voice(slot)); }
    int32_t Load(WORD id, uint32_t voices) { return bank.LoadWaveResource(GetModuleHandleA(nullptr), id, voices); }

    FakeSoundDevice device;
    Hook hook{&device};
    HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x1234));
    SoundBank bank{window, CreateFakeDevice};
};
}  // namespace

TEST_F(SoundBankFake, ReleasesEverythingOnceAndWithoutADeviceStaysSilent)
{
    ASSERT_EQ(Load(TinyWave, 4), 0);
    bank.Release();
    bank.Release();
    for (const auto& buffer : device.buffers) EXPECT_EQ(buffer->refs, 0);
    EXPECT_EQ(device.refs, 0) << "released once, however often asked";
    EXPECT_FALSE(bank.PlayEffect(0, 0, 10000, 0));

    device.cooperativeResult = DSERR_INVALIDPARAM;
    SoundBank refused(window, CreateFakeDevice);
    EXPECT_FALSE(refused.IsReady());
    EXPECT_EQ(device.refs, 0) << "a device that refused the level is released at once";
    fakeDevice = nullptr;
    SoundBank none(window, CreateFakeDevice);
    EXPECT_EQ(none.LoadWaveResource(GetModuleHandleA(nullptr), TinyWave, 1), -1);
}

TEST_F(SoundBankFake, LoadsIntoTheFirstFreeRunAndAFailureCostsOnlyWhatFailed)
{
    enum Fault { None, NoHardware, NoBuffer, LockFails, SecondDuplicateFails };
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
        {TinyWave, 16, None, 3, 6, 16},
        {TinyWave, 11, None, -1, 0, 0},  // ten slots left
        {TinyWave, 10, None, 4, 22, 10},
    };
    for (const auto& row : loads) {
        SCOPED_TRACE(testing::Message() << "voices " << row.voices << ", fault " << row.fault);
        device.refuseHardware = row.fault == NoHardware || row.fault == NoBuffer;
        device.refuseSoftware = row.fault == NoBuffer;
        device.failNewLocks = row.fault == LockFails;
        device.duplicateCalls = 0;
        device.failDuplicateCall = row.fault == SecondDuplicateFails ? 2 : 0;
        ASSERT_EQ(Load(row.id, row.voices), row.effect);
        EXPECT_EQ(bank.Effect(row.effect).first, row.effect < 0 ? -1 : row.first);
        EXPECT_EQ(bank.Effect(row.effect).count, row.count);
    }
    // Every voice the bank holds is referenced once; every other buffer it made was released.
    for (const auto& buffer : device.buffers) {
        bool held = false;
        for (uint32_t slot = 0; slot < SoundBank::SlotCount; ++slot) held = held || bank.Voice(slot) == buffer.get();
        EXPECT_EQ(buffer->refs, held ? 1 : 0);
    }
}

TEST_F(SoundBankFake, DescribesTheFormatAndFillsBothLockRegionsInOrder)
{
    device.splitNextLockAt = 6;
    std::vector<uint8_t> samples(21);
    std::iota(samples.begin(), samples.end(), static_cast<uint8_t>(100));
    // Five 4-byte frames: the 21st byte is not part of the sound.
    ASSERT_EQ(bank.CreateEffect(WaveFormat{1, 2, 11025, 44100, 4, 16, 0}, 5, samples.data(), 1), 0);
    const WAVEFORMATEX& f = Voice(0).format;
    EXPECT_EQ((std::vector<DWORD>{f.wFormatTag, f.nChannels, f.nSamplesPerSec, f.nAvgBytesPerSec, f.nBlockAlign,
                                  f.wBitsPerSample, f.cbSize}),
              (std::vector<DWORD>{WAVE_FORMAT_PCM, 2, 11025, 44100, 4, 16, 0}));
    std::vector<uint8_t> wanted(samples.begin() + 6, samples.begin() + 20);  // the tail region first
    wanted.insert(wanted.end(), samples.begin(), samples.begin() + 6);
    EXPECT_EQ(*Voice(0).samples, wanted);
}

TEST_F(SoundBankFake, PlaysTheVoicesInTurnAtFullVolumeWithPanAndFlags)
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
    // Flags pass through; a pan the platform refuses does not stop the play; a play that fails still
    // moves the turn on.
    EXPECT_TRUE(bank.PlayEffect(1, DSBPLAY_LOOPING, 10000, 20000));
    EXPECT_EQ(Voice(4).playFlags, static_cast<DWORD>(DSBPLAY_LOOPING));
    Voice(5).failPlay = true;
    EXPECT_FALSE(bank.PlayEffect(1, 0, 10000, 0));
    EXPECT_TRUE(bank.PlayEffect(1, 0, 10000, 0));
    EXPECT_EQ(Voice(4).plays, 2);
    // Ids that were never loaded, or cannot be, touch no voice.
    for (int32_t effect : {2, -1, 32, INT32_MAX, INT32_MIN}) EXPECT_FALSE(bank.PlayEffect(effect, 0, 10000, 0)) << effect;
    int plays = 0;
    for (uint32_t slot = 0; slot < 6; ++slot) plays += Voice(slot).plays;
    EXPECT_EQ(plays, 8);
}
