// The program's whole life: start-up checks, settings, window, display, services and screens, then
// the main loop until the running screen asks to stop or the window is closed.
#include "shell/win_main.h"

#include <cstdlib>
#include <cstring>

#include "game/maze_screen.h"
#include "game/run_sender.h"
#include "game/sound_switches.h"
#include "game/world_server.h"
#include "host/program_start.h"
#include "host/program_window.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "screen/screen_manager.h"
#include "base/app_globals.h"
#include "shell/display_settings.h"
#include "shell/main_window.h"
#include "services/debug_log.h"
#include "shell/maze_start.h"
#include "services/tick_timer.h"
#include "sound/qz_sound.h"
#include "sound/sound_effects.h"

int g_nFullScreenChoice = -1;

namespace {

// The runs waiting for the world hall of fame, among the player's files.
constexpr char kRunQueueFile[] = "outbox.txt";

// The DirectDraw probe: the display itself is created later by the graphics library.
bool CheckDirectDraw() {
    LPDIRECTDRAW probe = nullptr;
    if (FAILED(DirectDrawCreate(nullptr, &probe, nullptr)) || probe == nullptr) {
        host::ShowStartupMessage("DirectX not installed. Program needs DirectX 7.0a or higher to run");
        return false;
    }
    LPDIRECTDRAW7 version7 = nullptr;
    probe->QueryInterface(IID_IDirectDraw7, reinterpret_cast<LPVOID*>(&version7));
    const bool ok = version7 != nullptr;
    if (version7 != nullptr) version7->Release();
    probe->Release();
    if (!ok) host::ShowStartupMessage("DirectX Version 7.0a or greater not installed");
    return ok;
}

int ReadSetupNumber(const char* key) {
    char value[256];
    GetPrivateProfileStringA("setup", key, "0", value, sizeof value, ".\\setup.ini");
    return std::atoi(value);
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

unsigned SecondsOfDay() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return static_cast<unsigned>((FileTimeSteps(now) - kFileTimeStepsBefore1970) / 10000000ull);
}

void InitScreens(const char* commandLine) {
    g_ScreenManager.Init(g_lpDD, g_lpBackSurface);
    g_ScreenManager.AddScreen(&g_MazeScreen);
    // The launcher's directory is the whole command line, cut to what the buffer holds.
    std::strncpy(g_szLauncherDir, commandLine != nullptr ? commandLine : "", sizeof g_szLauncherDir - 1);
    g_szLauncherDir[sizeof g_szLauncherDir - 1] = '\0';
    g_ScreenManager.SelectScreen("Stalk");
}

}  // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (!host::CheckDesktopColour() || !CheckDirectDraw()) return 0;
    if (!StartMaze(g_nMazeNumber)) return 1;
    g_hInstance = instance;
    QZSetInstance(instance);
    g_nFullScreen = g_nFullScreenChoice >= 0 ? g_nFullScreenChoice : ReadSetupNumber("fullscreen");
    // The player's switch for debug.log, read before anything has a line for it.
    g_nDebugLog = ReadSetupNumber("debuglog");
    if (!host::RegisterProgramWindow(instance, GameWindow()) || !host::CreateProgramWindow(instance)) return 1;
    QZDebugEnable(0);
    if (!host::InitDisplay()) return 1;
    ApplyDisplaySettings();
    QZSetInstance(g_hInstance);
    QZInitMouse();
    StartTickTimer();
    InitSound();
    host::InitPointer();
    std::srand(SecondsOfDay());
    QZInitFont(g_hWnd);
    InitScreens(commandLine);
    // Without its maze pictures the game has told the player which one is missing; it stops here.
    if (g_ScreenManager.Current() == &g_MazeScreen && !g_MazeScreen.Ready()) {
        DestroyWindow(g_hWnd);
        return 1;
    }
    QZInitKeyboard();
    g_RunSender.Start(WorldServer(), g_nMazeNumber, kRunQueueFile);
    const int exitCode = host::RunFrameLoop();
    g_RunSender.Stop();
    return exitCode;
}
