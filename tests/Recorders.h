// Test doubles shared by the test programs: they record what the code under test asked for.
#pragma once
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
    std::vector<PlayedSound> played;
};
