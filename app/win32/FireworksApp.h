// The application object: owns everything one show needs (settings, main window, display back-end,
// spark queue, world, sound bank, music player), builds it in a fixed order, runs the message loop,
// answers the main window's messages and takes everything down again.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

#include "app/win32/DisplayPower.h"
#include "render/DisplayBackend.h"
#include "settings/RunMode.h"

class Settings;
class World;
class SparkQueue;
class SoundBank;
class MusicPlayer;
class FrameProfiler;
class ScriptTable;

// Private messages of the main window (all answer 0 when handled).
const UINT WM_FW_LAUNCH = WM_USER + 1;  // launch wParam fireworks
const UINT WM_FW_PAUSE = WM_USER + 2;
const UINT WM_FW_RESUME = WM_USER + 3;
const UINT WM_FW_TICK = WM_USER + 4;  // run one tick, in any state

// Where the show stands: not yet started (or shut down), running, or paused.
enum RunState { NotStarted = 0, Running = 1, Paused = 2 };

class FireworksApp {
public:
    FireworksApp(const FireworksApp&) = delete;
    FireworksApp& operator=(const FireworksApp&) = delete;
    FireworksApp(RunMode mode, HINSTANCE instance, HWND parentWindow);
    ~FireworksApp();

    // False when construction could not build a window, a queue or a world: the show cannot run and
    // nothing would ever end its message loop.
    bool IsUsable() const { return window != nullptr && sparkQueue != nullptr && world != nullptr; }

    int Run();
    void Tick();
    void Pause();
    void Resume();
    void HandleKey(WPARAM key);
    void LaunchFireworks(uint32_t count);
    void Shutdown();
    // WM_SIZE: the back-end rebuilds at the new size; one that cannot is stopped and let go.
    void Resize(uint32_t width, uint32_t height);

    // Attaches the frame-time tool's profiler (not owned); the show itself runs without one.
    void SetProfiler(FrameProfiler* profiler_);

    RunState State() const { return runState; }
    HWND Window() const { return window; }
    // The display back-end in use, or none.
    const DisplayBackend* Display() const { return display; }
    uint32_t MouseMovesLeft() const { return mouseMovesLeft; }
    const SparkQueue* Queue() const { return sparkQueue; }
    const World* GetWorld() const { return world; }
    const SoundBank* Sounds() const { return soundBank; }
    uint32_t Width() const { return width; }
    uint32_t Height() const { return height; }
    uint32_t BitsPerPixel() const { return bitsPerPixel; }

private:
    static bool RegisterWindowClass(HINSTANCE instance);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnActivation(HWND hwnd, WPARAM wParam);
    LRESULT OnPaint(HWND hwnd);
    LRESULT OnMouseMove();
    LRESULT OnMouseButton();
    LRESULT OnPowerBroadcast(WPARAM wParam, LPARAM lParam);
    void StartDisplay(int32_t drawMode);
    // Takes over the size and depth of the back-end's drawing surface; the world follows the size.
    void SetDisplayGeometry(const DisplayMode& mode);
    void RegisterScripts(HINSTANCE instance);
    void CreateSounds(HINSTANCE instance);
    void OpenMusic();
    bool IsFullScreenSaver() const { return mode == ScreenSaver && parentWindow == nullptr; }

    int32_t mode;
    Settings* settings;
    World* world;
    HWND window;
    HWND parentWindow;
    RunState runState;
    SparkQueue* sparkQueue;
    // The fireworks the launcher picks from; sparks point into its texts, so it goes after the queue.
    ScriptTable* scriptTable;
    uint32_t mouseMovesLeft;
    uint32_t width, height;
    uint32_t bitsPerPixel, refreshRate;
    DisplayBackend* display;
    SoundBank* soundBank;
    MusicPlayer* musicPlayer;
    FrameProfiler* profiler;
    DisplayPowerWatch displayPower;
    bool pausedForDisplay;  // the show stopped because the display went off, and goes on when it is back
};
