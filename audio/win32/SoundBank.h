// SoundBank: the show's sound effects through DirectSound.
// Provides: a set of effects, each a few identical static voices (one buffer filled from the samples
// plus duplicates sharing its memory), played once with a pan and a level; it is the world's sound
// sink. Degrades: without a sound device, or when the cooperative level is refused, the bank is not
// ready; every load then returns -1 and every play false, and the show runs silent.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <cstdint>

#include "audio/RiffChunk.h"
#include "audio/WaveFormat.h"
#include "engine/SoundSink.h"
#include "engine/win32/SystemLibrary.h"

struct EffectEntry {
    int32_t first;   // slot of the effect's first voice; -1 marks a free entry
    uint32_t count;  // number of voices, in slots first .. first + count - 1
    uint32_t next;   // slot of the voice the next play uses
};

class SoundBank : public SoundSink {
public:
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;
    typedef HRESULT(WINAPI* CreateDeviceFn)(LPCGUID device, LPDIRECTSOUND* result, LPUNKNOWN outer);

    static const uint32_t SlotCount = 32;
    static const uint32_t EffectCount = 32;

    // Creates the default DirectSound device (through `create`, which tests replace) and binds it to
    // `window` at normal priority. The primary buffer is left alone.
    explicit SoundBank(HWND window, CreateDeviceFn create = SystemDirectSoundCreate);
    ~SoundBank() override;

    bool IsReady() const { return ready; }

    // Loads WAVE resource `id` of `instance` as a new effect with `voices` voices. Only the bytes the
    // resource really has are parsed. Returns the effect id, or -1.
    int32_t LoadWaveResource(HINSTANCE instance, WORD id, uint32_t voices);
    // Loads a whole RIFF/WAVE file held in `riff`. Returns the effect id, or -1.
    int32_t LoadWave(const RiffChunk& riff, uint32_t voices);
    // Makes an effect of `frames` sample frames in `format` from `data` in the first run of `voices`
    // consecutive empty slots. Returns the effect id, or -1.
    int32_t CreateEffect(const WaveFormat& format, uint32_t frames, const uint8_t* data, uint32_t voices);

    // Plays the effect's next voice once with `flags`; `level` 10000 is full volume, `pan` runs from
    // -10000 (left) to 10000 (right). The voice is not rewound: one that is still sounding just takes
    // the new pan and volume. True when the voice was started.
    bool PlayEffect(int32_t effect, uint32_t flags, int32_t level, int32_t pan) override;

    // Stops every voice that is sounding and rewinds it, so that its next play is a whole sound.
    void StopAll();

    // Releases every voice and the device; the bank is then not ready. Safe to call twice.
    void Release();

    // For inspection: an effect's entry (a free one for ids out of range) and a slot's voice (or nullptr).
    EffectEntry Effect(int32_t effect) const
    {
        return effect >= 0 && effect < static_cast<int32_t>(EffectCount) ? effects[effect] : EffectEntry{-1, 0, 0};
    }
    IDirectSoundBuffer* Voice(uint32_t slot) const { return slot < SlotCount ? slots[slot] : nullptr; }

private:
    int32_t FindEmptyRun(uint32_t voices) const;
    int32_t FreeEffect() const;
    IDirectSoundBuffer* CreateVoice(const WaveFormat& format, uint32_t bytes);

    bool ready;
    IDirectSound* device;
    IDirectSoundBuffer* slots[SlotCount];
    EffectEntry effects[EffectCount];
};
