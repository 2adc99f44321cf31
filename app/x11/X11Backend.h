// The show's display back-end on X11: it composes whole frames the way the full-screen DirectDraw
// back-end does (a clean copy of the backdrop, made on a second thread beside the due pass, then
// every queued spark plotted, in stereo the same additive red/blue picture) into a 32-bit picture of
// the window's size, and puts each frame on the window through an ImagePresenter. A new window size
// rebuilds picture and backdrop, as the GDI window does.
#pragma once
#include <cstdint>
#include <string>

#include "app/x11/ImagePresenter.h"
#include "render/DisplayBackend.h"
#include "engine/MemoryImage.h"

class FpsMeter;
class TargetWindow;
class XConnection;

class X11Backend : public DisplayBackend {
public:
    // meter: drawn into every frame when given (not owned).
    X11Backend(XConnection& x, const TargetWindow& window, uint32_t stereo, FpsMeter* meter);

    bool Start() override;
    void Stop() override;
    void Frame(World& world) override;
    void Paint(DrawTarget&, int32_t, int32_t, int32_t, int32_t) override {}
    bool Resize(uint32_t width, uint32_t height) override;
    const char* Name() const override { return presenter.Shared() ? "X11-MIT-SHM" : "X11-XPutImage"; }

    // Why Start or Resize failed.
    const std::string& Problem() const { return problem; }
    // The X error of the previous frame's copy to the window (Success when it arrived), learnt as
    // this frame began.
    int PresentError() const { return presentError; }

private:
    XConnection& x;
    const TargetWindow& window;
    uint32_t stereo;
    FpsMeter* meter;
    MemoryImage backdrop;
    ImagePresenter presenter;
    std::string problem;
    int presentError;
};
