// Test doubles shared by the test programs: they record what the code under test asked for.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/SoundSink.h"

struct PlayedSound {
    int32_t effect;
    uint32_t flags;
    int32_t level;
    int32_t pan;
};

class SoundRecorder : public SoundSink {
public:
    bool PlayEffect(int32_t effect, uint32_t flags, int32_t level, int32_t pan) override
    {
        played.push_back(PlayedSound{effect, flags, level, pan});
        return true;
    }
    // How often each of the effects 0 .. effects-1 played.
    std::vector<size_t> Plays(size_t effects) const
    {
        std::vector<size_t> n(effects);
        for (const PlayedSound& s : played)
            if (s.effect >= 0 && static_cast<size_t>(s.effect) < effects) ++n[static_cast<size_t>(s.effect)];
        return n;
    }

    std::vector<PlayedSound> played;
};
