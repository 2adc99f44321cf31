#include "tools/fwrender/Compose.h"

#include "engine/DuePass.h"
#include "render/SurfaceFrame.h"

void ComposeSurfaceFrame(const SurfaceView& frame, const SurfaceView& background, World& world, uint32_t stereo)
{
    CopySurface(frame, background);
    RunDueSparks(world);
    PlotQueuedSparks(frame, world, stereo);
}
