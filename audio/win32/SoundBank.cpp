// SoundBank: the show's sound effects through DirectSound (see SoundBank.h for how it degrades).
#include "audio/win32/SoundBank.h"

#include <cstring>

#include "audio/WaveFile.h"
#include "engine/Fixed.h"

namespace {
// Copies the samples into a voice: read its format back, lock the whole buffer from the write cursor
// and fill both returned regions in order. Never copies more than `size` source bytes.
bool FillVoice(IDirectSoundBuffer* voice, uint32_t frames, const uint8_t* samples, uint32_t size)
{
    WAVEFORMATEX format;
    std::memset(&format, 0, sizeof(format));
    DWORD written = 0;
    if (FAILED(voice->GetFormat(&format, sizeof(format), &written))) return false;
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0, secondBytes = 0;
    DWORD lockBytes = static_cast<DWORD>(static_cast<uint64_t>(frames) * format.nBlockAlign);
    if (FAILED(voice->Lock(0, lockBytes, &first, &firstBytes, &second, &secondBytes, DSBLOCK_FROMWRITECURSOR)))
        return false;
    uint32_t copied = 0;
    if (first != nullptr) {
        uint32_t n = firstBytes < size ? firstBytes : size;
        std::memcpy(first, samples, n);
        copied = n;
    }
    if (second != nullptr) {
        uint32_t n = secondBytes < size - copied ? secondBytes : size - copied;
        std::memcpy(second, samples + copied, n);
    }
    return SUCCEEDED(voice->Unlock(first, firstBytes, second, secondBytes));
}
}  // namespace

// The platform's description record: 36 bytes in the 32-bit program, larger in a 64-bit one.
static_assert(sizeof(void*) != 4 || sizeof(DSBUFFERDESC) == 36, "DSBUFFERDESC of DirectSound 7 and later");

SoundBank::SoundBank(HWND window, CreateDeviceFn create) : ready(false), device(nullptr)
{
    for (uint32_t i = 0; i < SlotCount; ++i) slots[i] = nullptr;
    for (uint32_t i = 0; i < EffectCount; ++i) effects[i] = EffectEntry{-1, 0, 0};
    if (create == nullptr || FAILED(create(nullptr, &device, nullptr)) || device == nullptr) {
        device = nullptr;
        return;
    }
    if (FAILED(device->SetCooperativeLevel(window, DSSCL_NORMAL))) {
        Release();
        return;
    }
    ready = true;
}

SoundBank::~SoundBank() { Release(); }

void SoundBank::Release()
{
    ready = false;
    for (uint32_t i = 0; i < SlotCount; ++i) {
        if (slots[i] != nullptr) slots[i]->Release();
        slots[i] = nullptr;
    }
    for (uint32_t i = 0; i < EffectCount; ++i) effects[i] = EffectEntry{-1, 0, 0};
    if (device != nullptr) device->Release();
    device = nullptr;
}

int32_t SoundBank::LoadWaveResource(HINSTANCE instance, WORD id, uint32_t voices)
{
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), "WAVE");
    if (found == nullptr) return -1;
    DWORD size = SizeofResource(instance, found);
    HGLOBAL loaded = LoadResource(instance, found);
    if (loaded == nullptr) return -1;
    const uint8_t* bytes = static_cast<const uint8_t*>(LockResource(loaded));
    if (bytes == nullptr) return -1;
    // Parse only what the resource holds: a RIFF header that claims more than that is broken.
    RiffChunk riff;
    if (riff.Parse(bytes, size) == nullptr) return -1;
    return LoadWave(riff, voices);
}

int32_t SoundBank::LoadWave(const RiffChunk& riff, uint32_t voices)
{
    WaveFormat format;
    RiffChunk samples;
    uint32_t frames = 0;
    if (!ReadWave(riff, format, samples, frames)) return -1;
    return CreateEffect(format, frames, samples.Data(), voices);
}

int32_t SoundBank::FindEmptyRun(uint32_t voices) const
{
    if (voices == 0 || voices > SlotCount) return -1;
    uint32_t run = 0;
    for (uint32_t i = 0; i < SlotCount; ++i) {
        run = slots[i] == nullptr ? run + 1 : 0;
        if (run == voices) return static_cast<int32_t>(i + 1 - voices);
    }
    return -1;
}

int32_t SoundBank::FreeEffect() const
{
    for (uint32_t i = 0; i < EffectCount; ++i)
        if (effects[i].first < 0) return static_cast<int32_t>(i);
    return -1;
}

IDirectSoundBuffer* SoundBank::CreateVoice(const WaveFormat& format, uint32_t bytes)
{
    WAVEFORMATEX wave;
    wave.wFormatTag = format.formatTag;
    wave.nChannels = format.channels;
    wave.nSamplesPerSec = format.samplesPerSec;
    wave.nAvgBytesPerSec = format.avgBytesPerSec;
    wave.nBlockAlign = format.blockAlign;
    wave.wBitsPerSample = format.bitsPerSample;
    wave.cbSize = 0;

    // A static voice with pan and volume control, mixed by the card when it can, else by software.
    // The description's size is the platform's own (36 bytes in a 32-bit program).
    DSBUFFERDESC description;
    std::memset(&description, 0, sizeof(description));
    description.dwSize = sizeof(description);
    description.dwFlags = DSBCAPS_STATIC | DSBCAPS_LOCHARDWARE | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = bytes;
    description.dwReserved = 0;
    description.lpwfxFormat = &wave;

    IDirectSoundBuffer* voice = nullptr;
    if (SUCCEEDED(device->CreateSoundBuffer(&description, &voice, nullptr)) && voice != nullptr) return voice;
    voice = nullptr;
    description.dwFlags = DSBCAPS_STATIC | DSBCAPS_LOCSOFTWARE | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    if (SUCCEEDED(device->CreateSoundBuffer(&description, &voice, nullptr)) && voice != nullptr) return voice;
    return nullptr;
}

int32_t SoundBank::CreateEffect(const WaveFormat& format, uint32_t frames, const uint8_t* data, uint32_t voices)
{
    if (!ready) return -1;
    int32_t run = FindEmptyRun(voices);
    int32_t effect = FreeEffect();
    if (run < 0 || effect < 0) return -1;
    uint64_t bytes = static_cast<uint64_t>(frames) * format.blockAlign;
    if (bytes > 0xFFFFFFFFu || (data == nullptr && bytes > 0)) return -1;

    IDirectSoundBuffer* voice = CreateVoice(format, static_cast<uint32_t>(bytes));
    if (voice == nullptr) return -1;
    uint32_t first = static_cast<uint32_t>(run);
    slots[first] = voice;
    if (!FillVoice(voice, frames, data, static_cast<uint32_t>(bytes))) {
        voice->Release();
        slots[first] = nullptr;
        return -1;
    }

    EffectEntry& entry = effects[effect];
    entry = EffectEntry{run, 1, first};
    // The other voices share the first one's samples; a duplicate that fails only costs a voice.
    for (uint32_t i = 1; i < voices; ++i) {
        IDirectSoundBuffer* duplicate = nullptr;
        if (SUCCEEDED(device->DuplicateSoundBuffer(voice, &duplicate)) && duplicate != nullptr) {
            slots[first + entry.count] = duplicate;
            ++entry.count;
        }
    }
    return effect;
}

void SoundBank::StopAll()
{
    for (IDirectSoundBuffer* voice : slots) {
        if (voice == nullptr) continue;
        voice->Stop();
        voice->SetCurrentPosition(0);
    }
}

bool SoundBank::PlayEffect(int32_t effect, uint32_t flags, int32_t level, int32_t pan)
{
    if (!ready || effect < 0 || effect >= static_cast<int32_t>(EffectCount)) return false;
    EffectEntry& entry = effects[effect];
    if (entry.first < 0 || entry.next >= SlotCount || slots[entry.next] == nullptr) return false;
    IDirectSoundBuffer* voice = slots[entry.next];

    // Pan and volume outside the platform's ranges are refused there; the voice keeps what it had.
    voice->SetPan(pan);
    voice->SetVolume(WrapToInt32(10000 - static_cast<int64_t>(level)));
    bool played = SUCCEEDED(voice->Play(0, 0, flags));

    if (entry.count > 1) {
        uint32_t first = static_cast<uint32_t>(entry.first);
        entry.next = entry.next + 1 < first + entry.count ? entry.next + 1 : first;
    }
    return played;
}
