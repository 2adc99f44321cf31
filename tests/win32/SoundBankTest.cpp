// The sound bank against an in-memory DirectSound (every call and argument checked) and, when
// FW_SOUND_CAPTURE names the file that tools/wine-run.sh makes ALSA write, against Wine's DirectSound
// with a real mixer whose output the tests read back and measure.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "FakeDirectSound.h"
#include "SoundCapture.h"
#include "audio/win32/SoundBank.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "resource.h"
#include "win32/AppTestSupport.h"

namespace {
FakeSoundDevice* fakeDevice = nullptr;

HRESULT WINAPI CreateFakeDevice(LPCGUID guid, LPDIRECTSOUND* out, LPUNKNOWN outer)
{
    if (guid != nullptr || outer != nullptr) return DSERR_INVALIDPARAM;
    fakeDevice->AddRef();
    *out = fakeDevice;
    return DS_OK;
}

HRESULT WINAPI CreateNoDevice(LPCGUID, LPDIRECTSOUND* out, LPUNKNOWN)
{
    *out = nullptr;
    return DSERR_NODRIVER;
}

// Broken and tiny resources of SoundBankTest.rc.
const WORD LyingHeader = 901, CutHeader = 902, LyingData = 903, NotWave = 904, TinyWave = 905;

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

// The show's four effects with their voices, and where they land in an empty bank.
const struct {
    WORD id;
    uint32_t voices;
    int32_t first;
} ShowEffects[] = {{IDWAVE_LAUNCH, 4, 0}, {IDWAVE_BURST, 8, 4}, {IDWAVE_FOUNTAIN, 2, 12}, {IDWAVE_CRACKLE, 2, 14}};

void LoadTheShowsEffects(SoundBank& bank)
{
    for (int32_t e = 0; e < 4; ++e) EXPECT_EQ(bank.LoadWaveResource(Self(), ShowEffects[e].id, ShowEffects[e].voices), e);
}

// Installs the fake for CreateFakeDevice for as long as it lives.
struct Hook {
    explicit Hook(FakeSoundDevice* device) { fakeDevice = device; }
    ~Hook() { fakeDevice = nullptr; }
};

// A bank on the fake device, made before each test begins.
class SoundBankFake : public ::testing::Test {
protected:
    FakeSoundBuffer& Voice(uint32_t slot) { return *static_cast<FakeSoundBuffer*>(bank.Voice(slot)); }

    FakeSoundDevice device;
    Hook hook{&device};
    HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x1234));
    SoundBank bank{window, CreateFakeDevice};
};
}  // namespace

TEST_F(SoundBankFake, ReadyOnlyWithTheDeviceAndTheCooperativeLevelAndReleasedOnce)
{
    EXPECT_TRUE(bank.IsReady());
    EXPECT_EQ(device.cooperativeWindow, window);
    EXPECT_EQ(device.cooperativeLevel, static_cast<DWORD>(DSSCL_NORMAL));
    LoadTheShowsEffects(bank);
    ASSERT_EQ(device.buffers.size(), 16u);
    bank.Release();
    bank.Release();
    for (const auto& buffer : device.buffers) EXPECT_EQ(buffer->refs, 0);
    EXPECT_EQ(device.refs, 0) << "released once, however often asked";
    EXPECT_FALSE(bank.IsReady());
    EXPECT_FALSE(bank.PlayEffect(0, 0, 10000, 0));
    EXPECT_EQ(bank.Effect(0).first, -1);
    EXPECT_EQ(bank.Voice(0), nullptr);

    SoundBank none(window, CreateNoDevice);
    EXPECT_FALSE(none.IsReady());
    EXPECT_EQ(none.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), -1);
    EXPECT_FALSE(none.PlayEffect(0, 0, 10000, 0));

    device.cooperativeResult = DSERR_INVALIDPARAM;
    SoundBank refused(window, CreateFakeDevice);
    EXPECT_FALSE(refused.IsReady());
    EXPECT_EQ(device.refs, 0) << "a device that refused the level is released at once";
    EXPECT_EQ(refused.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), -1);
    EXPECT_EQ(device.buffers.size(), 16u) << "no buffer is made for a bank that is not ready";
}

TEST_F(SoundBankFake, AsksForAHardwareVoiceFirstThenASoftwareOne)
{
    ASSERT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 1), 0);
    EXPECT_EQ(device.createFlags, (std::vector<DWORD>{0xC6}));  // static, hardware, pan, volume
    const FakeSoundBuffer& voice = *device.buffers[0];
    EXPECT_EQ(voice.description.dwSize, static_cast<DWORD>(sizeof(DSBUFFERDESC)));
    EXPECT_EQ(voice.description.dwBufferBytes, 12800u);
    const WAVEFORMATEX& f = voice.format;
    EXPECT_EQ((std::vector<DWORD>{f.wFormatTag, f.nChannels, f.nSamplesPerSec, f.nAvgBytesPerSec, f.nBlockAlign,
                                  f.wBitsPerSample, f.cbSize}),
              (std::vector<DWORD>{WAVE_FORMAT_PCM, 1, 8000, 8000, 1, 8, 0}));

    device.refuseHardware = true;
    ASSERT_EQ(bank.LoadWaveResource(Self(), IDWAVE_BURST, 1), 1);
    EXPECT_EQ(device.createFlags, (std::vector<DWORD>{0xC6, 0xC6, 0xCA}));  // then software
    EXPECT_EQ(device.buffers[1]->format.nSamplesPerSec, 16000u);

    device.refuseSoftware = true;
    EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_FOUNTAIN, 2), -1);
    EXPECT_EQ(device.createFlags.size(), 5u);
    EXPECT_EQ(bank.Voice(2), nullptr);
    EXPECT_EQ(bank.Effect(2).first, -1);
}

TEST_F(SoundBankFake, FillsTheFirstVoiceThroughBothLockRegions)
{
    std::vector<uint8_t> samples(21);
    std::iota(samples.begin(), samples.end(), static_cast<uint8_t>(100));
    device.splitNextLockAt = 6;
    // Five 4-byte frames: the 21st byte is not part of the sound.
    ASSERT_EQ(bank.CreateEffect(WaveFormat{1, 2, 11025, 44100, 4, 16, 0}, 5, samples.data(), 1), 0);
    const FakeSoundBuffer& voice = *device.buffers[0];
    EXPECT_EQ(voice.lockBytes, 20u);
    EXPECT_EQ(voice.lockFlags, static_cast<DWORD>(DSBLOCK_FROMWRITECURSOR));
    EXPECT_EQ(voice.unlocks, 1);
    // The first region is the buffer's last six bytes, the second its first fourteen.
    std::vector<uint8_t> wanted(samples.begin() + 6, samples.begin() + 20);
    wanted.insert(wanted.end(), samples.begin(), samples.begin() + 6);
    EXPECT_EQ(*voice.samples, wanted);

    // The samples of a resource reach the voice unchanged.
    device.splitNextLockAt = 0;
    ASSERT_EQ(bank.LoadWaveResource(Self(), TinyWave, 1), 1);
    EXPECT_EQ(*device.buffers[1]->samples, (std::vector<uint8_t>{0x40, 0x80, 0xFF, 0xC0}));
}

TEST_F(SoundBankFake, AFailedFillOrDuplicateCostsOnlyWhatFailed)
{
    device.failNewLocks = true;
    EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), -1);
    ASSERT_EQ(device.buffers.size(), 1u);
    EXPECT_EQ(device.buffers[0]->refs, 0) << "a voice that cannot be filled is released";
    EXPECT_EQ(device.duplicateCalls, 0);
    EXPECT_EQ(bank.Voice(0), nullptr);

    device.failNewLocks = false;
    device.failDuplicateCall = 2;
    ASSERT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), 0);
    EXPECT_EQ(device.duplicateCalls, 3);
    EXPECT_EQ(bank.Effect(0).first, 0);
    EXPECT_EQ(bank.Effect(0).count, 3u);
    for (uint32_t slot = 0; slot < 3; ++slot)
        EXPECT_EQ(Voice(slot).samples, device.buffers[1]->samples) << "one copy of the samples, slot " << slot;
    EXPECT_EQ(bank.Voice(3), nullptr);

    // First fit: the hole left at slot 3 takes a one-voice effect, a two-voice one goes after it.
    device.failDuplicateCall = 0;
    ASSERT_EQ(bank.LoadWaveResource(Self(), TinyWave, 1), 1);
    EXPECT_EQ(bank.Effect(1).first, 3);
    ASSERT_EQ(bank.LoadWaveResource(Self(), TinyWave, 2), 2);
    EXPECT_EQ(bank.Effect(2).first, 4);
}

TEST_F(SoundBankFake, TheShowsEffectsTakeTheirSlotsAndBrokenOrMisfitLoadsFailAlone)
{
    for (WORD id : {LyingHeader, CutHeader, LyingData, NotWave, static_cast<WORD>(999)})
        EXPECT_EQ(bank.LoadWaveResource(Self(), id, 1), -1) << id;
    EXPECT_TRUE(device.createFlags.empty());
    LoadTheShowsEffects(bank);
    for (int32_t e = 0; e < 4; ++e) {
        EXPECT_EQ(bank.Effect(e).first, ShowEffects[e].first) << e;
        EXPECT_EQ(bank.Effect(e).count, ShowEffects[e].voices) << e;
        EXPECT_EQ(bank.Effect(e).next, static_cast<uint32_t>(ShowEffects[e].first)) << e;
    }
    for (uint32_t slot = 0; slot < 32; ++slot) EXPECT_EQ(bank.Voice(slot) != nullptr, slot < 16) << slot;

    for (uint32_t voices : {0u, 17u}) EXPECT_EQ(bank.LoadWaveResource(Self(), TinyWave, voices), -1) << voices;
    EXPECT_EQ(bank.LoadWaveResource(Self(), LyingHeader, 1), -1);
    EXPECT_EQ(bank.LoadWaveResource(Self(), TinyWave, 16), 4);
    EXPECT_EQ(bank.Effect(4).first, 16);
    size_t created = device.createFlags.size();
    EXPECT_EQ(bank.LoadWaveResource(Self(), TinyWave, 1), -1);
    EXPECT_EQ(device.createFlags.size(), created) << "no buffer is made without room for it";
}

TEST_F(SoundBankFake, PlaysTheVoicesInTurnWithPanVolumeAndFlags)
{
    LoadTheShowsEffects(bank);
    const int32_t pans[] = {-10000, -5000, 0, 5000, 10000};
    for (int32_t pan : pans) EXPECT_TRUE(bank.PlayEffect(0, 0, 10000, pan)) << pan;
    // Voices 0, 1, 2, 3 and 0 again, which is neither stopped nor rewound.
    for (uint32_t slot = 0; slot < 4; ++slot) {
        FakeSoundBuffer& voice = Voice(slot);
        EXPECT_EQ(voice.plays, std::vector<DWORD>(slot == 0 ? 2 : 1, 0)) << slot;
        EXPECT_EQ(voice.panCalls[0], pans[slot]);
        EXPECT_EQ(voice.volumeCalls[0], 0) << "level 10000 is no attenuation";
        EXPECT_EQ(voice.unexpectedCalls, 0);
    }
    EXPECT_EQ(Voice(0).pan, 10000);
    EXPECT_EQ(bank.Effect(0).next, 1u);

    // Flags pass through; a pan the platform refuses leaves the old one, and the voice still plays.
    EXPECT_TRUE(bank.PlayEffect(2, DSBPLAY_LOOPING, 10000, 20000));
    EXPECT_EQ(Voice(12).plays, std::vector<DWORD>(1, DSBPLAY_LOOPING));
    EXPECT_EQ(Voice(12).pan, 0);
    // The volume is 10000 - level, handed over even where the platform refuses it.
    EXPECT_TRUE(bank.PlayEffect(2, 0, 2500, 0));
    EXPECT_EQ(Voice(13).volumeCalls[0], 7500);
    EXPECT_TRUE(bank.PlayEffect(2, 0, INT32_MIN, 0));
    EXPECT_EQ(bank.Effect(2).next, 13u);

    // A play that fails still moves the turn on.
    Voice(4).failPlay = true;
    EXPECT_FALSE(bank.PlayEffect(1, 0, 10000, 0));
    EXPECT_TRUE(bank.PlayEffect(1, 0, 10000, 0));
    EXPECT_EQ(Voice(5).plays.size(), 1u);

    // Ids that were never loaded, or cannot be, touch no voice.
    for (int32_t effect : {4, -1, 32, INT32_MAX, INT32_MIN}) EXPECT_FALSE(bank.PlayEffect(effect, 0, 10000, 0)) << effect;
    for (uint32_t slot = 6; slot < 12; ++slot) EXPECT_TRUE(Voice(slot).panCalls.empty()) << slot;
}

// ---- Wine's own DirectSound -------------------------------------------------------------------------

namespace {
// A hidden top-level window for the device to be bound to, as the show's main window would be.
struct MainWindow {
    MainWindow() : handle(CreateWindowExA(0, "STATIC", "sound test", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, Self(), nullptr)) {}
    ~MainWindow()
    {
        if (handle != nullptr) DestroyWindow(handle);
    }
    HWND handle;
};

// Waits until no voice of the bank sounds any more, then a little longer for the mixer's last periods
// to reach the file.
void WaitForSilence(const SoundBank& bank)
{
    for (int i = 0; i < 100 && VoicesPlaying(&bank) > 0; ++i) Sleep(50);
    Sleep(400);
}
}  // namespace

class SoundCapture : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (CapturePath() == nullptr) GTEST_SKIP() << "set FW_SOUND_CAPTURE to run with the ALSA file sink";
        ASSERT_TRUE(bank.IsReady()) << "DirectSound did not open the ALSA file sink";
        LoadTheShowsEffects(bank);
    }

    MainWindow window;
    SoundBank bank{window.handle};
};

TEST_F(SoundCapture, ALaunchIsHeardOnTheSideOfTheScreenItIsOn)
{
    Capture capture(CapturePath());
    SparkQueue queue(4);
    World world(0, 30, queue, 0, 0, 640, 480, &bank);
    for (int32_t x : {-5240, 5240}) {
        const char* side = x < 0 ? "left" : "right";
        EXPECT_GE(std::abs(world.PanOf(FixedFromInt(x), FixedFromInt(3500), FixedFromInt(10000))), 9900)
            << side << ": the point lies at the screen's edge";
        long long start = capture.Size();
        ASSERT_GE(start, 0) << "no capture file";
        world.PlaySoundAt(0, FixedFromInt(x), FixedFromInt(3500), FixedFromInt(10000));
        WaitForSilence(bank);
        double left = 0, right = 0;
        size_t frames = 0;
        float peak = 0;
        ASSERT_TRUE(capture.Energy(start, left, right, frames, peak)) << "the capture is not 32-bit float stereo";
        std::printf("  %s launch: %zu frames, energy left %.2f right %.4f, peak %.3f\n", side, frames, left, right, peak);
        EXPECT_GT(peak, 0.3f) << side;
        double sameSide = x < 0 ? left : right, otherSide = x < 0 ? right : left;
        EXPECT_GT(sameSide, 100.0) << side << ": the launch was not heard";
        EXPECT_LT(otherSide, sameSide / 1000.0) << side << ": the launch leaked into the other channel";
    }
}
