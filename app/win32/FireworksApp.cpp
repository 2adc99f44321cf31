#include "app/win32/FireworksApp.h"

#include <new>

#include "app/ScriptsInUse.h"
#include "audio/win32/MusicPlayer.h"
#include "audio/win32/SoundBank.h"
#include "engine/ScriptTable.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"
#include "engine/win32/SystemLibrary.h"
#include "render/win32/DirectDrawBackend.h"
#include "render/win32/GdiBackend.h"
#include "resources/resource.h"
#include "settings/Settings.h"

namespace {
ATOM windowClassAtom = 0;
const char windowClassName[] = "VokFireworks";
}  // namespace

bool FireworksApp::RegisterWindowClass(HINSTANCE instance)
{
    if (windowClassAtom != 0) return true;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 4;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_FIREWORKS));
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = windowClassName;
    wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_FIREWORKS_SMALL));
    windowClassAtom = RegisterClassExA(&wc);
    return windowClassAtom != 0;
}

FireworksApp::FireworksApp(RunMode mode_, HINSTANCE instance, HWND parentWindow_)
    : mode(mode_), window(nullptr), parentWindow(parentWindow_), runState(NotStarted), mouseMovesLeft(5), width(0),
      height(0), profiler(nullptr), pausedForDisplay(false)
{
    settings.reset(new (std::nothrow) Settings(instance, mode_));
    if (!settings) return;

    DWORD style = WS_VISIBLE;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, w = CW_USEDEFAULT, h = CW_USEDEFAULT;
    int showCommand = SW_SHOWNORMAL;
    int32_t drawMode = settings->GetDrawMode();
    RegisterWindowClass(instance);

    char title[256] = "";
    LoadStringA(instance, IDS_PRODUCT, title, sizeof title);
    if (parentWindow != nullptr) {
        RECT r = {};
        GetWindowRect(parentWindow, &r);
        style |= WS_CHILD;
        x = 0;
        y = 0;
        w = r.right - r.left;
        h = r.bottom - r.top;
        drawMode = Settings::GDI;  // the preview always draws in its window
    } else {
        style |= mode == Interactive ? WS_OVERLAPPEDWINDOW : WS_POPUP;
        showCommand = SW_SHOWMAXIMIZED;
        if (mode == ScreenSaver) {
            // A pop-up made at the default (empty) size relies on the window manager to grow it when
            // maximized; without one (a bare X server under Wine) it would stay one pixel big.
            x = 0;
            y = 0;
            w = GetSystemMetrics(SM_CXSCREEN);
            h = GetSystemMetrics(SM_CYSCREEN);
        }
    }

    window = CreateWindowExA(0, windowClassName, title, style, x, y, w, h, parentWindow, nullptr, instance, this);
    if (window != nullptr) {
        displayPower.Start(window);
        StartDisplay(drawMode);
        sparkQueue.reset(new (std::nothrow) SparkQueue(settings->GetSparkLimit()));
        if (!sparkQueue) return;
        RegisterScripts(instance);
        CreateSounds(instance);
        world.reset(new (std::nothrow) World(SystemMilliseconds(), settings->GetFrameRate(), *sparkQueue,
                                             FixedFromInt(-settings->GetGravity()), FixedFromInt(settings->GetWind()),
                                             width, height, soundBank.get()));
        if (!world) return;
        ShowWindow(window, showCommand);
    }
    OpenMusic();
}

FireworksApp::~FireworksApp() { Shutdown(); }

namespace {
std::unique_ptr<DisplayBackend> StartedOrNone(DisplayBackend* made)
{
    std::unique_ptr<DisplayBackend> backend(made);
    if (backend && !backend->Start()) backend.reset();
    return backend;
}
}  // namespace

// DirectDraw when chosen, falling back to GDI without a message; with neither, no back-end: the
// window keeps its black background and the show stays empty.
void FireworksApp::StartDisplay(int32_t drawMode)
{
    uint32_t stereo = static_cast<uint32_t>(settings->GetStereo());
    if (drawMode == Settings::DirectDraw) display = StartedOrNone(new (std::nothrow) DirectDrawBackend(window, stereo));
    if (!display) display = StartedOrNone(new (std::nothrow) GdiBackend(window, stereo));
    if (display) {
        display->SetProfiler(profiler);
        SetDisplayGeometry(display->Mode());
    }
}

void FireworksApp::Resize(uint32_t width_, uint32_t height_)
{
    if (!display) return;
    bool rebuilt = display->Resize(width_, height_);
    SetDisplayGeometry(display->Mode());
    if (!rebuilt) display.reset();
}

void FireworksApp::SetProfiler(FrameProfiler* profiler_)
{
    profiler = profiler_;
    if (display) display->SetProfiler(profiler);
}

// The built-in fireworks from the resource, the user's own from their file, or both, as the settings
// say. The file is read once, here: changing it later changes nothing in a running show.
void FireworksApp::RegisterScripts(HINSTANCE instance)
{
    scriptTable.reset(new (std::nothrow) ScriptTable);
    if (!scriptTable) return;
    // The script block lives as long as the module, and the table copies every text anyway.
    const char* block = nullptr;
    DWORD size = 0;
    HRSRC found = FindResourceA(instance, "IDRAW_DEFAULT_SCRIPT", MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    if (loaded != nullptr) {
        block = static_cast<const char*>(LockResource(loaded));
        size = SizeofResource(instance, found);
    }
    AddScriptsInUse(*scriptTable, *settings, block, size);
}

void FireworksApp::CreateSounds(HINSTANCE instance)
{
    if (!settings->GetSoundEffects()) return;
    soundBank.reset(new (std::nothrow) SoundBank(window));
    if (!soundBank) return;
    // Effect numbers 0 to 3 follow this order; the scripts rely on it.
    soundBank->LoadWaveResource(instance, IDWAVE_LAUNCH, 4);
    soundBank->LoadWaveResource(instance, IDWAVE_BURST, 8);
    soundBank->LoadWaveResource(instance, IDWAVE_FOUNTAIN, 2);
    soundBank->LoadWaveResource(instance, IDWAVE_CRACKLE, 2);
}

void FireworksApp::OpenMusic()
{
    if (!settings || !settings->GetMusic()) return;
    if (settings->GetMusicMode() == Settings::CompactDisc)
        musicPlayer.reset(new (std::nothrow) MusicPlayer(CdDeviceName, settings->GetCDTrack()));
    else if (settings->GetMusicMode() == Settings::MidiFile)
        musicPlayer.reset(new (std::nothrow) MusicPlayer(settings->GetMIDIFile(), 1));
}

int FireworksApp::Run()
{
    MSG msg = {};
    for (;;) {
        BOOL taken;
        if (runState == Running) {
            taken = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        } else {
            taken = GetMessageA(&msg, nullptr, 0, 0);
            if (taken == -1) return -1;  // no message can ever come: do not spin
            if (taken == 0) msg.message = WM_QUIT;
        }
        if (taken != 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
        if (runState == Running) Tick();
    }
}

void FireworksApp::Pause()
{
    if (runState == Paused) return;
    if (musicPlayer) musicPlayer->Pause();
    ShowCursor(TRUE);
    runState = Paused;
}

void FireworksApp::Resume()
{
    if (runState == Running) return;
    if (musicPlayer) musicPlayer->Play();
    if (parentWindow == nullptr) ShowCursor(FALSE);
    runState = Running;
}

void FireworksApp::HandleKey(WPARAM key)
{
    if (IsFullScreenSaver()) {
        SendMessageA(window, WM_CLOSE, 0, 0);
        return;
    }
    if (key == VK_ESCAPE) {
        SendMessageA(window, WM_CLOSE, 0, 0);
    } else if (key == VK_SPACE) {
        if (runState == Running)
            Pause();
        else if (runState == Paused)
            Resume();
    } else if (key >= '1' && key <= '9') {
        LaunchFireworks(static_cast<uint32_t>(key - '0'));
    }
}

void FireworksApp::SetDisplayGeometry(const DisplayMode& displayMode)
{
    width = displayMode.width;
    height = displayMode.height;
    if (world) world->Resize(width, height);
}

void FireworksApp::Shutdown()
{
    mode = 0;
    if (settings) {
        settings->SaveIfDirty();
        settings.reset();
    }
    displayPower.Stop();
    // The window, if it is still there, no longer reaches this object.
    if (window != nullptr) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    window = nullptr;
    runState = NotStarted;
    soundBank.reset();
    musicPlayer.reset();
    world.reset();
    sparkQueue.reset();
    scriptTable.reset();
    if (display) {
        display->Stop();
        display.reset();
    }
    ShowCursor(TRUE);
}
