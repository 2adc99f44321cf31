// Where the world sends the sounds that sparks ask for: the sound bank on Windows, a recorder in
// tests and in the simulator.
#pragma once
#include <cstdint>

class SoundSink {
public:
    virtual ~SoundSink() {}
    // Plays effect `effect` once with `flags`, at `level` (10000 is full volume) and `pan`
    // (-10000 full left to 10000 full right). True when a voice was started.
    virtual bool PlayEffect(int32_t effect, uint32_t flags, int32_t level, int32_t pan) = 0;
};
