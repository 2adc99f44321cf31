// The application object: owns everything one show needs (settings, main window, display back-end,
// spark queue, world, sound bank, music player), builds it in a fixed order, runs the message loop,
// answers the main window's messages and takes everything down again.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <memory>

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
    FireworksApp(RunMode mode, HINSTANCE instance, HWND parentWindow);
    ~FireworksApp();
    FireworksApp(const FireworksApp&) = delete;
    FireworksApp& operator=(const FireworksApp&) = delete;

    // False when construction could not build a window, a queue or a world (a failed allocation among
    // them): the show cannot run and nothing would ever end its message loop, so the entry ends the
    // program with exit code 2 instead.
    bool IsUsable() const { return window != nullptr && sparkQueue && world; }

    int Run();
    void Tick();
    void Pause();
    void Resume();
    void HandleKey(WPARAM key);
    void LaunchFireworks(uint32_t count);
    // Releases everything in a fixed order and lets go of the window; running it again does nothing.
    void Shutdown();
    // WM_SIZE: the back-end rebuilds at the new size; one that cannot is stopped and let go.
    void Resize(uint32_t width, uint32_t height);

    // Attaches the frame-time tool's profiler (not owned); the show itself runs without one.
    void SetProfiler(FrameProfiler* profiler_);

    RunState State() const { return runState; }
    HWND Window() const { return window; }
    // The display back-end in use, or none.
    const DisplayBackend* Display() const { return display.get(); }
    const SparkQueue* Queue() const { return sparkQueue.get(); }
    const SoundBank* Sounds() const { return soundBank.get(); }

private:
    // One message of the main window and its handler. A handler returns the message's result, having
    // passed the message on to DefWindowProc itself where Windows's own processing should follow.
    typedef LRESULT (FireworksApp::*MessageHandler)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    struct HandledMessage {
        UINT message;
        MessageHandler handler;
    };
    static const HandledMessage handledMessages[];

    static bool RegisterWindowClass(HINSTANCE instance);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnActivation(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnClose(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnBackground(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnKey(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSysCommand(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseButton(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnPowerBroadcast(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnLaunch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnPause(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnResume(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnTick(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    void StartDisplay(int32_t drawMode);
    // Takes over the size of the back-end's drawing surface; the world follows it.
    void SetDisplayGeometry(const DisplayMode& mode);
    void RegisterScripts(HINSTANCE instance);
    void CreateSounds(HINSTANCE instance);
    void OpenMusic();
    bool IsFullScreenSaver() const { return mode == ScreenSaver && parentWindow == nullptr; }

    int32_t mode;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<World> world;
    HWND window;
    HWND parentWindow;
    RunState runState;
    std::unique_ptr<SparkQueue> sparkQueue;
    // The fireworks the launcher picks from; sparks point into its texts, so it goes after the queue.
    std::unique_ptr<ScriptTable> scriptTable;
    uint32_t mouseMovesLeft;
    uint32_t width, height;
    std::unique_ptr<DisplayBackend> display;
    std::unique_ptr<SoundBank> soundBank;
    std::unique_ptr<MusicPlayer> musicPlayer;
    FrameProfiler* profiler;
    DisplayPowerWatch displayPower;
    bool pausedForDisplay;  // the show stopped because the display went off, and goes on when it is back
};
