#include "render/SurfaceFrame.h"

#include <algorithm>
#include <cstring>

#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "render/Plot.h"

void CopySurface(const SurfaceView& target, const SurfaceView& source)
{
    uint32_t width = std::min(target.width, source.width);
    uint32_t height = std::min(target.height, source.height);
    if (width == 0) return;
    for (uint32_t row = 0; row < height; ++row) {
        const uint32_t* from = SurfaceRow(source, static_cast<int32_t>(row));
        std::memcpy(SurfaceRow(target, static_cast<int32_t>(row)), from, static_cast<size_t>(width) * sizeof(uint32_t));
    }
}

void PlotQueuedSparks(const SurfaceView& surface, const World& world, uint32_t stereo)
{
    const SparkQueue& queue = world.queue;
    uint32_t count = queue.Count();
    for (uint32_t slot = 0; slot < count; ++slot) PlotSurface(*queue.At(slot), surface, world, stereo);
}
