// The program's whole life: start-up checks, settings, window, display, services and screens, then
// the main loop until the running screen asks to stop or the window is closed.
#include "shell/win_main.h"

#include <cstdlib>
#include <cstring>

#include "game/maze_screen.h"
#include "game/sound_switches.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "screen/screen_manager.h"
#include "base/app_globals.h"
#include "shell/display_settings.h"
#include "shell/main_window.h"
#include "services/message_pump.h"
#include "services/pointer.h"
#include "services/tick_timer.h"
#include "sound/qz_sound.h"
#include "sound/sound_effects.h"
#include "surface/surface.h"

int g_nFullScreenChoice = -1;

namespace {

bool DesktopIsHighColour() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits == 15 || bits == 16;
}

void ShowStartupError(const char* text) { MessageBoxA(nullptr, text, nullptr, MB_ICONERROR); }

// The DirectDraw probe: the display itself is created later by the graphics library.
bool CheckDirectDraw() {
    LPDIRECTDRAW probe = nullptr;
    if (FAILED(DirectDrawCreate(nullptr, &probe, nullptr)) || probe == nullptr) {
        ShowStartupError("DirectX not installed. Program needs DirectX 7.0a or higher to run");
        return false;
    }
    LPDIRECTDRAW7 version7 = nullptr;
    probe->QueryInterface(IID_IDirectDraw7, reinterpret_cast<LPVOID*>(&version7));
    const bool ok = version7 != nullptr;
    if (version7 != nullptr) version7->Release();
    probe->Release();
    if (!ok) ShowStartupError("DirectX Version 7.0a or greater not installed");
    return ok;
}

int ReadFullScreenSetting() {
    char value[256];
    GetPrivateProfileStringA("setup", "fullscreen", "0", value, sizeof value, ".\\setup.ini");
    return std::atoi(value);
}

bool InitDisplay() {
    if (g_nFullScreen != 0) {
        if (!QZInitDirectX(g_hWnd, 800, 600, 16)) return false;
        QZSetViewport(0, 0, 800, 600);
    } else {
        if (!QZInitDirectX(g_hWnd, g_nWidth, g_nHeight)) {
            QZPrintError();
            return false;
        }
        QZSetViewport(0, 0, g_nWidth, g_nHeight);
    }
    LPDIRECTDRAWSURFACE7 primary = nullptr;
    g_lpDD = QZGetLPDD();
    QZGetDDInfo(&primary, &g_lpBackSurface);
    FillSurface(g_lpBackSurface, 0);
    return true;
}

void InitSound() {
    g_SoundEffects.Init(g_hWnd, 200);
    g_SoundEffects.EnableMusic(ReadSoundSwitch("music", "..\\options.ini"));
    g_SoundEffects.EnableSFX(ReadSoundSwitch("SFX", "..\\options.ini"));
    if (g_QZSound.m_bMusicEnabled != 0 && g_QZSound.LoadStream(".\\sounds\\music.wav", 0)) {
        QZSound::SetStreamVolume(0x7fff);
        g_QZSound.PlayStream(4);
        g_QZSound.FadeMusicIn(300);
    }
}

void InitPointer() {
    g_Pointer.Init(nullptr);
    g_Pointer.SelectImage(0);
    g_Pointer.Hide();
    g_Pointer.SetPageFlipping(g_nFullScreen != 0);
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    g_Pointer.SetPosition(cursor.x, cursor.y);
    QZAcquireMouse(1);
}

unsigned SecondsOfDay() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    return static_cast<unsigned>((ticks - 116444736000000000ull) / 10000000ull);
}

void InitScreens(const char* commandLine) {
    g_ScreenManager.Init(g_lpDD, g_lpBackSurface);
    g_ScreenManager.AddScreen(&g_MazeScreen);
    // The launcher's directory is the whole command line, cut to what the buffer holds.
    std::strncpy(g_szLauncherDir, commandLine != nullptr ? commandLine : "", sizeof g_szLauncherDir - 1);
    g_szLauncherDir[sizeof g_szLauncherDir - 1] = '\0';
    g_ScreenManager.SelectScreen("Stalk");
}

int MainLoop() {
    for (;;) {
        if (PumpMessages()) return 0;
        HDC dc = nullptr;
        if (g_lpBackSurface != nullptr && SUCCEEDED(g_lpBackSurface->GetDC(&dc))) g_lpBackSurface->ReleaseDC(dc);
        if (g_nActive != 0) {
            QZAcquireMouse(1);
            WaitForFrame(100);
            if (g_ScreenManager.Frame(g_nActive) == kFrameStop) {
                DestroyWindow(g_hWnd);
                return 0;
            }
        } else {
            QZAcquireMouse(0);
            // Nothing to draw while inactive; sleep until the next tick instead of spinning.
            WaitForNextTick();
        }
    }
}

}  // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    if (!DesktopIsHighColour()) {
        ShowStartupError("Brightfen Games needs the display set to High Color (16 bit).");
        return 0;
    }
    if (!CheckDirectDraw()) return 0;
    g_hInstance = instance;
    QZSetInstance(instance);
    g_nFullScreen = g_nFullScreenChoice >= 0 ? g_nFullScreenChoice : ReadFullScreenSetting();
    if (!RegisterWindowClass(instance) || !CreateMainWindow(instance, showCommand)) return 1;
    QZDebugEnable(0);
    if (!InitDisplay()) return 1;
    ApplyDisplaySettings();
    QZSetInstance(g_hInstance);
    QZInitMouse();
    StartTickTimer();
    InitSound();
    InitPointer();
    std::srand(SecondsOfDay());
    QZInitFont(g_hWnd);
    InitScreens(commandLine);
    // Without its maze pictures the game has told the player which one is missing; it stops here.
    if (g_ScreenManager.Current() == &g_MazeScreen && !g_MazeScreen.Ready()) {
        DestroyWindow(g_hWnd);
        return 1;
    }
    QZInitKeyboard();
    return MainLoop();
}
