// Where a frame's time goes, for the frame-time tool. The show runs without one; with one attached the
// tick and the back-ends add the time of each phase (QueryPerformanceCounter) to its totals.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

class FrameProfiler {
public:
    enum Phase { DuePass, Plotting, Flip, BackdropCopy, GdiCalls, PhaseCount };

    FrameProfiler();
    static int64_t Now();
    void Add(Phase phase, int64_t start) { current[phase] += Now() - start; }
    void EndFrame(int64_t frameStart, uint32_t sparks);

    // Milliseconds per frame: the median over the frames seen, whole frame (without the sleep) and
    // per phase (the phase's median share is taken from the same frames).
    double MedianFrameMs() const;
    double MedianPhaseMs(Phase phase) const;
    uint32_t MedianSparks() const;
    size_t Frames() const { return frames.size(); }

private:
    struct Frame {
        double total;
        double phase[PhaseCount];
        uint32_t sparks;
    };
    double ToMs(int64_t ticks) const { return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency); }

    int64_t frequency;
    int64_t current[PhaseCount];
    std::vector<Frame> frames;
};

// Adds the time of the enclosing scope to one phase; costs nothing without a profiler.
class PhaseTimer {
public:
    PhaseTimer(FrameProfiler* profiler_, FrameProfiler::Phase phase_)
        : profiler(profiler_), phase(phase_), start(profiler_ != nullptr ? FrameProfiler::Now() : 0)
    {
    }
    ~PhaseTimer()
    {
        if (profiler != nullptr) profiler->Add(phase, start);
    }

private:
    PhaseTimer(const PhaseTimer&);
    PhaseTimer& operator=(const PhaseTimer&);
    FrameProfiler* profiler;
    FrameProfiler::Phase phase;
    int64_t start;
};
