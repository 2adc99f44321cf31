// Where a frame's time goes, for the frame-time tool and the benchmarks. The show runs without one;
// with one attached the tick and the back-ends add the time of each phase to its totals.
#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

class FrameProfiler {
public:
    // Present: the blit of a window frame, or the flip of a full-screen one.
    enum Phase { DuePass, Plotting, Present, BackdropCopy, PhaseCount };
    typedef std::chrono::steady_clock Clock;

    FrameProfiler();
    static Clock::time_point Now() { return Clock::now(); }
    void Add(Phase phase, Clock::time_point start) { current[phase] += Now() - start; }
    void EndFrame(Clock::time_point frameStart, uint32_t sparks);

    // Milliseconds per frame: the median over the frames seen, whole frame (without the sleep) and
    // per phase (each phase's own median).
    double MedianFrameMs() const;
    double MedianPhaseMs(Phase phase) const;
    uint32_t MedianSparks() const;
    size_t Frames() const { return frames.size(); }
    static const char* PhaseName(Phase phase);

private:
    struct Frame {
        double total;
        double phase[PhaseCount];
        uint32_t sparks;
    };

    Clock::duration current[PhaseCount];
    std::vector<Frame> frames;
};

// Adds the time of the enclosing scope to one phase; costs nothing without a profiler.
class PhaseTimer {
public:
    PhaseTimer(const PhaseTimer&) = delete;
    PhaseTimer& operator=(const PhaseTimer&) = delete;
    PhaseTimer(FrameProfiler* profiler_, FrameProfiler::Phase phase_)
        : profiler(profiler_), phase(phase_), start(profiler_ != nullptr ? FrameProfiler::Now() : FrameProfiler::Clock::time_point())
    {
    }
    ~PhaseTimer()
    {
        if (profiler != nullptr) profiler->Add(phase, start);
    }

private:
    FrameProfiler* profiler;
    FrameProfiler::Phase phase;
    FrameProfiler::Clock::time_point start;
};
