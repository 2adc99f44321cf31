#include "render/FrameProfiler.h"

#include <algorithm>

namespace {
double Ms(FrameProfiler::Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
}  // namespace

FrameProfiler::FrameProfiler() : current() {}

void FrameProfiler::EndFrame(Clock::time_point frameStart, uint32_t sparks)
{
    Frame frame;
    frame.total = Ms(Now() - frameStart);
    for (int i = 0; i < PhaseCount; ++i) {
        frame.phase[i] = Ms(current[i]);
        current[i] = Clock::duration::zero();
    }
    frame.sparks = sparks;
    frames.push_back(frame);
}

double FrameProfiler::MedianFrameMs() const
{
    std::vector<double> v;
    for (const Frame& f : frames) v.push_back(f.total);
    return Median(v);
}

double FrameProfiler::MedianPhaseMs(Phase phase) const
{
    std::vector<double> v;
    for (const Frame& f : frames) v.push_back(f.phase[phase]);
    return Median(v);
}

uint32_t FrameProfiler::MedianSparks() const
{
    std::vector<double> v;
    for (const Frame& f : frames) v.push_back(f.sparks);
    return static_cast<uint32_t>(Median(v));
}

const char* FrameProfiler::PhaseName(Phase phase)
{
    static const char* const names[PhaseCount] = {"due pass", "plotting", "present", "backdrop copy"};
    return phase >= 0 && phase < PhaseCount ? names[phase] : "";
}
