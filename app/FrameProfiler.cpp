#include "app/FrameProfiler.h"

#include <algorithm>

FrameProfiler::FrameProfiler() : frequency(1), current()
{
    LARGE_INTEGER f;
    if (QueryPerformanceFrequency(&f) && f.QuadPart > 0) frequency = f.QuadPart;
}

int64_t FrameProfiler::Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

void FrameProfiler::EndFrame(int64_t frameStart, uint32_t sparks)
{
    Frame frame;
    frame.total = ToMs(Now() - frameStart);
    for (int i = 0; i < PhaseCount; ++i) {
        frame.phase[i] = ToMs(current[i]);
        current[i] = 0;
    }
    frame.sparks = sparks;
    frames.push_back(frame);
}

namespace {
double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
}  // namespace

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
