// The sound bank against an in-memory DirectSound (every call and argument checked), against Wine's
// DirectSound with no sound device, and, when FW_SOUND_CAPTURE names the file that tools/wine-run.sh
// makes ALSA write, against a real mixer whose output the tests read back and measure.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FakeDirectSound.h"
#include "SoundCapture.h"
#include "audio/SoundBank.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "resource.h"

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

const WORD LyingHeader = 901, CutHeader = 902, LyingData = 903, NotWave = 904, TinyWave = 905;

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

WaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits)
{
    uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    return WaveFormat{1, channels, rate, rate * align, align, bits, 0};
}

class SoundBankFake : public ::testing::Test {
protected:
    void SetUp() override { fakeDevice = &device; }
    void TearDown() override { fakeDevice = nullptr; }

    void LoadTheFourEffects(SoundBank& bank)
    {
        EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), 0);
        EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_BURST, 8), 1);
        EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_FOUNTAIN, 2), 2);
        EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_CRACKLE, 2), 3);
    }

    FakeSoundBuffer* FakeVoice(const SoundBank& bank, uint32_t slot)
    {
        return static_cast<FakeSoundBuffer*>(bank.Voice(slot));
    }

    FakeSoundDevice device;
    HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x1234));
};
}  // namespace

TEST_F(SoundBankFake, ReadyOnlyWhenTheDeviceAndTheCooperativeLevelAreThere)
{
    {
        SoundBank bank(window, CreateNoDevice);
        EXPECT_FALSE(bank.IsReady());
        EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), -1);
        EXPECT_FALSE(bank.PlayEffect(0, 0, 10000, 0));
    }
    device.cooperativeResult = DSERR_INVALIDPARAM;
    {
        SoundBank bank(window, CreateFakeDevice);
        EXPECT_FALSE(bank.IsReady());
        EXPECT_EQ(device.cooperativeWindow, window);
        EXPECT_EQ(device.cooperativeLevel, static_cast<DWORD>(DSSCL_NORMAL));
        EXPECT_EQ(device.refs, 0) << "a device that refused the level is released at once";
        EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), -1);
        EXPECT_EQ(bank.CreateEffect(Pcm(1, 8000, 8), 4, reinterpret_cast<const uint8_t*>("abcd"), 1), -1);
        EXPECT_TRUE(device.createFlags.empty());
    }
    device.cooperativeResult = DS_OK;
    {
        SoundBank bank(window, CreateFakeDevice);
        EXPECT_TRUE(bank.IsReady());
        EXPECT_EQ(device.refs, 1);
    }
    EXPECT_EQ(device.refs, 0);
}

TEST_F(SoundBankFake, AsksForAHardwareVoiceFirstThenASoftwareOne)
{
    SoundBank bank(window, CreateFakeDevice);
    ASSERT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 1), 0);
    ASSERT_EQ(device.createFlags.size(), 1u);
    EXPECT_EQ(device.createFlags[0], 0xC6u);
    EXPECT_EQ(device.createSizes[0], static_cast<DWORD>(sizeof(DSBUFFERDESC)));
    if (sizeof(void*) == 4) {
        EXPECT_EQ(device.createSizes[0], 36u);
    }
    EXPECT_EQ(device.outerObjects[0], nullptr);
    const FakeSoundBuffer& voice = *device.buffers[0];
    EXPECT_EQ(voice.description.dwBufferBytes, 12800u);
    EXPECT_EQ(voice.description.dwReserved, 0u);
    EXPECT_EQ(voice.format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(voice.format.nChannels, 1);
    EXPECT_EQ(voice.format.nSamplesPerSec, 8000u);
    EXPECT_EQ(voice.format.nAvgBytesPerSec, 8000u);
    EXPECT_EQ(voice.format.nBlockAlign, 1);
    EXPECT_EQ(voice.format.wBitsPerSample, 8);
    EXPECT_EQ(voice.format.cbSize, 0);

    device.refuseHardware = true;
    ASSERT_EQ(bank.LoadWaveResource(Self(), IDWAVE_BURST, 1), 1);
    ASSERT_EQ(device.createFlags.size(), 3u);
    EXPECT_EQ(device.createFlags[1], 0xC6u);
    EXPECT_EQ(device.createFlags[2], 0xCAu);
    EXPECT_EQ(device.buffers[1]->description.dwBufferBytes, 36000u);
    EXPECT_EQ(device.buffers[1]->format.nSamplesPerSec, 16000u);

    device.refuseSoftware = true;
    EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_FOUNTAIN, 2), -1);
    EXPECT_EQ(device.createFlags.size(), 5u);
    EXPECT_EQ(bank.Voice(2), nullptr);
    EXPECT_EQ(bank.Effect(2).first, -1);
}

TEST_F(SoundBankFake, FillsTheFirstVoiceThroughBothLockRegions)
{
    SoundBank bank(window, CreateFakeDevice);
    std::vector<uint8_t> samples;
    for (int i = 0; i < 21; ++i) samples.push_back(static_cast<uint8_t>(100 + i));
    device.splitNextLockAt = 6;
    // Five 4-byte frames: the 21st byte is not part of the sound.
    ASSERT_EQ(bank.CreateEffect(Pcm(2, 11025, 16), 5, samples.data(), 1), 0);
    const FakeSoundBuffer& voice = *device.buffers[0];
    EXPECT_EQ(voice.lockOffset, 0u);
    EXPECT_EQ(voice.lockBytes, 20u);
    EXPECT_EQ(voice.lockFlags, static_cast<DWORD>(DSBLOCK_FROMWRITECURSOR));
    EXPECT_EQ(voice.unlocks, 1);
    const std::vector<uint8_t>& memory = *voice.samples;
    ASSERT_EQ(memory.size(), 20u);
    EXPECT_EQ(std::vector<uint8_t>(memory.begin() + 14, memory.end()), std::vector<uint8_t>(samples.begin(), samples.begin() + 6));
    EXPECT_EQ(std::vector<uint8_t>(memory.begin(), memory.begin() + 14), std::vector<uint8_t>(samples.begin() + 6, samples.begin() + 20));

    // The samples of a resource reach the voice unchanged.
    device.splitNextLockAt = 0;
    ASSERT_EQ(bank.LoadWaveResource(Self(), TinyWave, 1), 1);
    EXPECT_EQ(*device.buffers[1]->samples, (std::vector<uint8_t>{0x40, 0x80, 0xFF, 0xC0}));
}

TEST_F(SoundBankFake, AVoiceThatCannotBeFilledIsReleasedAndItsSlotStaysFree)
{
    SoundBank bank(window, CreateFakeDevice);
    device.failNewLocks = true;
    EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), -1);
    device.failNewLocks = false;
    device.failNewFormats = true;
    EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), -1);
    ASSERT_EQ(device.buffers.size(), 2u);
    for (const auto& buffer : device.buffers) EXPECT_EQ(buffer->refs, 0);
    EXPECT_EQ(device.duplicateCalls, 0);
    EXPECT_EQ(bank.Voice(0), nullptr);
    EXPECT_EQ(bank.Effect(0).first, -1);

    device.failNewFormats = false;
    EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), 0);
    EXPECT_EQ(bank.Effect(0).first, 0);
    EXPECT_EQ(bank.Effect(0).count, 4u);
}

TEST_F(SoundBankFake, DuplicatesShareTheSamplesAndAFailedOneOnlyCostsAVoice)
{
    SoundBank bank(window, CreateFakeDevice);
    device.failDuplicateCall = 2;
    ASSERT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), 0);
    EXPECT_EQ(device.duplicateCalls, 3);
    EffectEntry launch = bank.Effect(0);
    EXPECT_EQ(launch.first, 0);
    EXPECT_EQ(launch.count, 3u);
    EXPECT_EQ(launch.next, 0u);
    for (uint32_t slot = 0; slot < 3; ++slot) {
        ASSERT_NE(bank.Voice(slot), nullptr) << slot;
        EXPECT_EQ(FakeVoice(bank, slot)->samples, device.buffers[0]->samples) << "one copy of the samples";
    }
    EXPECT_EQ(bank.Voice(3), nullptr);
    for (IDirectSoundBuffer* original : device.duplicatedFrom) EXPECT_EQ(original, bank.Voice(0));

    // First fit: the hole left at slot 3 takes a one-voice effect, a two-voice one goes after it.
    device.failDuplicateCall = 0;
    ASSERT_EQ(bank.LoadWaveResource(Self(), TinyWave, 1), 1);
    EXPECT_EQ(bank.Effect(1).first, 3);
    ASSERT_EQ(bank.LoadWaveResource(Self(), TinyWave, 2), 2);
    EXPECT_EQ(bank.Effect(2).first, 4);
    EXPECT_EQ(bank.Effect(2).count, 2u);
}

TEST_F(SoundBankFake, TheFourEffectsTakeSlotsZeroToFifteenAndRunsMustFit)
{
    SoundBank bank(window, CreateFakeDevice);
    LoadTheFourEffects(bank);
    const int32_t firsts[] = {0, 4, 12, 14};
    const uint32_t counts[] = {4, 8, 2, 2};
    for (int32_t e = 0; e < 4; ++e) {
        EXPECT_EQ(bank.Effect(e).first, firsts[e]) << e;
        EXPECT_EQ(bank.Effect(e).count, counts[e]) << e;
        EXPECT_EQ(bank.Effect(e).next, static_cast<uint32_t>(firsts[e])) << e;
    }
    for (uint32_t slot = 0; slot < 32; ++slot) EXPECT_EQ(bank.Voice(slot) != nullptr, slot < 16) << slot;

    EXPECT_EQ(bank.LoadWaveResource(Self(), TinyWave, 0), -1);
    EXPECT_EQ(bank.LoadWaveResource(Self(), TinyWave, 17), -1);
    size_t created = device.createFlags.size();
    EXPECT_EQ(bank.LoadWaveResource(Self(), TinyWave, 16), 4);
    EXPECT_EQ(bank.Effect(4).first, 16);
    EXPECT_EQ(bank.LoadWaveResource(Self(), TinyWave, 1), -1);
    EXPECT_EQ(device.createFlags.size(), created + 1) << "no buffer is made without room for it";
}

TEST_F(SoundBankFake, ABrokenResourceFailsOnlyItsOwnLoad)
{
    SoundBank bank(window, CreateFakeDevice);
    for (WORD id : {LyingHeader, CutHeader, LyingData, NotWave, static_cast<WORD>(999)})
        EXPECT_EQ(bank.LoadWaveResource(Self(), id, 1), -1) << id;
    EXPECT_TRUE(device.createFlags.empty());
    EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), 0);
    EXPECT_EQ(bank.Effect(0).first, 0);
    EXPECT_EQ(bank.LoadWaveResource(Self(), LyingHeader, 1), -1);
    EXPECT_EQ(bank.LoadWaveResource(Self(), TinyWave, 1), 1);
    EXPECT_EQ(bank.Effect(1).first, 4);
}

TEST_F(SoundBankFake, PlaysTheVoicesInTurnWithPanVolumeAndFlags)
{
    SoundBank bank(window, CreateFakeDevice);
    LoadTheFourEffects(bank);
    const int32_t pans[] = {-10000, -5000, 0, 5000, 10000};
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(bank.PlayEffect(0, 0, 10000, pans[i])) << i;
    // Voices 0, 1, 2, 3 and 0 again.
    const size_t playsPerVoice[] = {2, 1, 1, 1};
    for (uint32_t slot = 0; slot < 4; ++slot) {
        FakeSoundBuffer& voice = *FakeVoice(bank, slot);
        ASSERT_EQ(voice.plays.size(), playsPerVoice[slot]) << slot;
        EXPECT_EQ(voice.plays[0].reserved, 0u);
        EXPECT_EQ(voice.plays[0].priority, 0u);
        EXPECT_EQ(voice.plays[0].flags, 0u);
        EXPECT_EQ(voice.panCalls[0], pans[slot]);
        EXPECT_EQ(voice.volumeCalls[0], 0) << "level 10000 is no attenuation";
        EXPECT_EQ(voice.unexpectedCalls, 0) << "a voice is neither stopped nor rewound";
    }
    EXPECT_EQ(FakeVoice(bank, 0)->pan, 10000);
    EXPECT_EQ(bank.Effect(0).next, 1u);

    // Flags pass through; a pan the platform refuses leaves the old one, and the voice still plays.
    EXPECT_TRUE(bank.PlayEffect(2, DSBPLAY_LOOPING, 10000, 20000));
    FakeSoundBuffer& fountain = *FakeVoice(bank, 12);
    EXPECT_EQ(fountain.plays[0].flags, static_cast<DWORD>(DSBPLAY_LOOPING));
    EXPECT_EQ(fountain.pan, 0);
    // The volume is 10000 - level, kept as it is even where the platform refuses it.
    EXPECT_TRUE(bank.PlayEffect(2, 0, 2500, 0));
    EXPECT_EQ(FakeVoice(bank, 13)->volumeCalls[0], 7500);
    EXPECT_TRUE(bank.PlayEffect(2, 0, INT32_MIN, 0));
    EXPECT_EQ(bank.Effect(2).next, 13u);

    // A play that fails still moves the turn on.
    FakeVoice(bank, 4)->failPlay = true;
    EXPECT_FALSE(bank.PlayEffect(1, 0, 10000, 0));
    EXPECT_EQ(bank.Effect(1).next, 5u);
    EXPECT_TRUE(bank.PlayEffect(1, 0, 10000, 0));
    EXPECT_EQ(FakeVoice(bank, 5)->plays.size(), 1u);

    // Ids that were never loaded, or cannot be, touch no voice.
    for (int32_t effect : {4, -1, 32, INT32_MAX, INT32_MIN}) EXPECT_FALSE(bank.PlayEffect(effect, 0, 10000, 0)) << effect;
    for (uint32_t slot = 6; slot < 12; ++slot) EXPECT_TRUE(FakeVoice(bank, slot)->panCalls.empty()) << slot;
    EXPECT_EQ(FakeVoice(bank, 14)->plays.size(), 0u);
}

TEST_F(SoundBankFake, ReleasingFreesEveryVoiceAndTheDeviceOnce)
{
    {
        SoundBank bank(window, CreateFakeDevice);
        LoadTheFourEffects(bank);
        ASSERT_EQ(device.buffers.size(), 16u);
        bank.Release();
        EXPECT_FALSE(bank.IsReady());
        EXPECT_FALSE(bank.PlayEffect(0, 0, 10000, 0));
        EXPECT_EQ(bank.Effect(0).first, -1);
        EXPECT_EQ(bank.Voice(0), nullptr);
        bank.Release();
    }
    for (const auto& buffer : device.buffers) EXPECT_EQ(buffer->refs, 0);
    EXPECT_EQ(device.refs, 0);
}

// ---- Wine's own DirectSound -------------------------------------------------------------------------

namespace {
// A hidden top-level window for the device to be bound to, as the show's main window would be.
class MainWindow {
public:
    MainWindow() : handle(CreateWindowExA(0, "STATIC", "sound test", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, Self(), nullptr)) {}
    ~MainWindow()
    {
        if (handle != nullptr) DestroyWindow(handle);
    }
    HWND handle;
};

bool IsPlaying(IDirectSoundBuffer* voice)
{
    DWORD status = 0;
    return voice != nullptr && SUCCEEDED(voice->GetStatus(&status)) && (status & DSBSTATUS_PLAYING) != 0;
}

// Waits until no voice of the bank sounds any more, then a little longer for the mixer's last periods
// to reach the file.
void WaitForSilence(const SoundBank& bank)
{
    for (int i = 0; i < 100; ++i) {
        bool any = false;
        for (uint32_t slot = 0; slot < SoundBank::SlotCount; ++slot) any = any || IsPlaying(bank.Voice(slot));
        if (!any) break;
        Sleep(50);
    }
    Sleep(400);
}

void StopAll(const SoundBank& bank)
{
    for (uint32_t slot = 0; slot < SoundBank::SlotCount; ++slot) {
        if (bank.Voice(slot) == nullptr) continue;
        bank.Voice(slot)->Stop();
        bank.Voice(slot)->SetCurrentPosition(0);
    }
}

void LoadTheShowsEffects(SoundBank& bank)
{
    EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_LAUNCH, 4), 0);
    EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_BURST, 8), 1);
    EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_FOUNTAIN, 2), 2);
    EXPECT_EQ(bank.LoadWaveResource(Self(), IDWAVE_CRACKLE, 2), 3);
}
}  // namespace

TEST(SoundBankSilent, WithoutASoundDeviceEveryLoadAndPlayFails)
{
    if (CapturePath() != nullptr) GTEST_SKIP() << "a sound device is configured for this run";
    MainWindow window;
    SoundBank bank(window.handle);
    if (bank.IsReady()) GTEST_SKIP() << "this machine has a sound device";
    const WORD ids[] = {IDWAVE_LAUNCH, IDWAVE_BURST, IDWAVE_FOUNTAIN, IDWAVE_CRACKLE, TinyWave, LyingHeader};
    for (WORD id : ids)
        EXPECT_EQ(bank.LoadWaveResource(Self(), id, 2), -1) << id;
    for (int32_t effect : {0, 1, 2, 3, -1, 32}) EXPECT_FALSE(bank.PlayEffect(effect, 0, 10000, 0)) << effect;
    for (uint32_t slot = 0; slot < SoundBank::SlotCount; ++slot) EXPECT_EQ(bank.Voice(slot), nullptr);
}

class SoundCapture : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (CapturePath() == nullptr) GTEST_SKIP() << "set FW_SOUND_CAPTURE to run with the ALSA file sink";
        bank = new SoundBank(window.handle);
        ASSERT_TRUE(bank->IsReady()) << "DirectSound did not open the ALSA file sink";
        LoadTheShowsEffects(*bank);
    }
    void TearDown() override { delete bank; }

    MainWindow window;
    SoundBank* bank = nullptr;
};

TEST_F(SoundCapture, TheShowsEffectsLoadIntoTheirSlotsAsStaticVoices)
{
    const int32_t firsts[] = {0, 4, 12, 14};
    const uint32_t counts[] = {4, 8, 2, 2};
    for (int32_t e = 0; e < 4; ++e) {
        EXPECT_EQ(bank->Effect(e).first, firsts[e]) << e;
        EXPECT_EQ(bank->Effect(e).count, counts[e]) << e;
    }
    const DWORD sizes[] = {12800, 36000, 30400, 16001};
    for (uint32_t slot = 0; slot < SoundBank::SlotCount; ++slot) {
        IDirectSoundBuffer* voice = bank->Voice(slot);
        ASSERT_EQ(voice != nullptr, slot < 16) << slot;
        if (voice == nullptr) continue;
        DSBCAPS caps;
        std::memset(&caps, 0, sizeof(caps));
        caps.dwSize = sizeof(caps);
        ASSERT_HRESULT_SUCCEEDED(voice->GetCaps(&caps));
        const DWORD wanted = DSBCAPS_STATIC | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
        EXPECT_EQ(caps.dwFlags & wanted, wanted) << slot;
        int effect = slot < 4 ? 0 : slot < 12 ? 1 : slot < 14 ? 2 : 3;
        EXPECT_EQ(caps.dwBufferBytes, sizes[effect]) << slot;
    }
}

TEST_F(SoundCapture, ALaunchIsHeardOnTheSideOfTheScreenItIsOn)
{
    Capture capture(CapturePath());
    SparkQueue queue(4);
    World world(0, 30, queue, 0, 0, 640, 480, 0, FixedFromInt(3500), FixedFromInt(-5000), FixedFromInt(-4995), 0, bank);
    struct Side {
        const char* name;
        int32_t x;
    } sides[] = {{"left", -5240}, {"right", 5240}};
    for (const Side& side : sides) {
        int32_t pan = world.PanOf(FixedFromInt(side.x), FixedFromInt(3500), FixedFromInt(10000));
        EXPECT_GE(std::abs(pan), 9900) << side.name << ": the point lies at the screen's edge";
        long long start = capture.Size();
        ASSERT_GE(start, 0) << "no capture file";
        world.PlaySoundAt(0, FixedFromInt(side.x), FixedFromInt(3500), FixedFromInt(10000));
        WaitForSilence(*bank);
        double left = 0, right = 0;
        size_t frames = 0;
        float peak = 0;
        ASSERT_TRUE(capture.Energy(start, left, right, frames, peak)) << "the capture is not 32-bit float stereo";
        std::printf("  %s launch: %zu frames, energy left %.2f right %.4f, peak %.3f\n", side.name, frames, left, right, peak);
        EXPECT_GT(peak, 0.3f) << side.name;
        double sameSide = side.x < 0 ? left : right;
        double otherSide = side.x < 0 ? right : left;
        EXPECT_GT(sameSide, 100.0) << side.name << ": the launch was not heard";
        EXPECT_LT(otherSide, sameSide / 1000.0) << side.name << ": the launch leaked into the other channel";
    }
}

TEST_F(SoundCapture, FiveLaunchesUseVoicesZeroToThreeThenZeroAgain)
{
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bank->Effect(0).next, static_cast<uint32_t>(i));
        ASSERT_TRUE(bank->PlayEffect(0, 0, 10000, 0)) << i;
        EXPECT_TRUE(IsPlaying(bank->Voice(static_cast<uint32_t>(i)))) << i;
    }
    DWORD before = 0, write = 0;
    ASSERT_HRESULT_SUCCEEDED(bank->Voice(0)->GetCurrentPosition(&before, &write));
    EXPECT_EQ(bank->Effect(0).next, 0u);
    ASSERT_TRUE(bank->PlayEffect(0, 0, 10000, 0));
    DWORD after = 0;
    ASSERT_HRESULT_SUCCEEDED(bank->Voice(0)->GetCurrentPosition(&after, &write));
    EXPECT_TRUE(IsPlaying(bank->Voice(0)));
    EXPECT_GE(after, before) << "the fifth launch must not restart voice 0";
    EXPECT_EQ(bank->Effect(0).next, 1u);
    for (uint32_t slot = 4; slot < 16; ++slot) EXPECT_FALSE(IsPlaying(bank->Voice(slot))) << slot;
    StopAll(*bank);
}

TEST_F(SoundCapture, EffectsThatWereNeverLoadedStaySilent)
{
    Capture capture(CapturePath());
    StopAll(*bank);
    WaitForSilence(*bank);
    long long start = capture.Size();
    for (int32_t effect : {4, -1, 32}) EXPECT_FALSE(bank->PlayEffect(effect, 0, 10000, 0)) << effect;
    for (uint32_t slot = 0; slot < 16; ++slot) EXPECT_FALSE(IsPlaying(bank->Voice(slot))) << slot;
    Sleep(300);
    double left = 0, right = 0;
    size_t frames = 0;
    float peak = 0;
    ASSERT_TRUE(capture.Energy(start, left, right, frames, peak));
    EXPECT_EQ(peak, 0.0f) << "something sounded";

    // The same wait after a real play does hear something, so the silence above means something.
    start = capture.Size();
    ASSERT_TRUE(bank->PlayEffect(3, 0, 10000, 0));
    WaitForSilence(*bank);
    ASSERT_TRUE(capture.Energy(start, left, right, frames, peak));
    std::printf("  crackle: %zu frames, energy left %.2f right %.2f, peak %.3f\n", frames, left, right, peak);
    EXPECT_GT(peak, 0.1f);
}
