#include "launcher/portico_main.h"

#include "game/sound_switches.h"
#include "launcher/launcher_screen.h"
#include "launcher/launcher_window.h"
#include "platform/api/qz.h"
#include "base/app_globals.h"
#include "screen/screen_manager.h"
#include "services/message_pump.h"
#include "services/pointer.h"
#include "services/tick_timer.h"
#include "sound/sound_effects.h"
#include "surface/surface.h"

namespace {

bool DesktopIsHighColour() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits == 15 || bits == 16;
}

bool InitDisplay() {
    if (!QZInitDirectX(g_hWnd, g_nWidth, g_nHeight)) {
        QZPrintError();
        return false;
    }
    QZSetViewport(0, 0, g_nWidth, g_nHeight);
    LPDIRECTDRAWSURFACE7 primary = nullptr;
    g_lpDD = QZGetLPDD();
    QZGetDDInfo(&primary, &g_lpBackSurface);
    FillSurface(g_lpBackSurface, 0);
    return true;
}

void InitPointer() {
    g_Pointer.Init(nullptr);
    g_Pointer.SelectImage(0);
    g_Pointer.Hide();
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    g_Pointer.SetPosition(cursor.x, cursor.y);
    QZAcquireMouse(1);
}

// The launcher's signs click as the game's moves do, and keep quiet when effects are off.
void InitSound() {
    g_SoundEffects.Init(g_hWnd, 8);
    g_SoundEffects.EnableMusic(0);
    g_SoundEffects.EnableSFX(ReadSoundSwitch("SFX", kOptionsFile));
    g_SoundEffects.LoadEffect(".\\sounds\\positive.wav", kClickEffect);
}

int MainLoop() {
    for (;;) {
        if (PumpMessages()) return 0;
        if (g_nActive == 0) {
            QZAcquireMouse(0);
            WaitForNextTick();
            continue;
        }
        QZAcquireMouse(1);
        WaitForFrame(100);
        if (g_ScreenManager.Frame(g_nActive) == kFrameStop) {
            DestroyWindow(g_hWnd);
            return 0;
        }
    }
}

}  // namespace

const host::Program& PorticoProgram() {
    static const host::Program program{
        "portico", "Keeps Stalkway's players and sound switches, shows its hall of fame and starts the game.",
        "WHO",     "who started it (the game's Menu says Stalkway or Stalk), and changes nothing",
        {},        platform::FolderRole::Launcher,
    };
    return program;
}

int PorticoMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The family's programs share the one message for a desktop they cannot draw on.
    if (!DesktopIsHighColour()) {
        MessageBoxA(nullptr, "Brightfen Games needs the display set to High Color (16 bit).", nullptr, MB_ICONERROR);
        return 0;
    }
    g_hInstance = instance;
    QZSetInstance(instance);
    if (!RegisterLauncherWindow(instance) || !CreateLauncherWindow(instance)) return 1;
    if (!InitDisplay()) {
        DestroyWindow(g_hWnd);
        return 1;
    }
    QZInitMouse();
    StartTickTimer();
    InitSound();
    InitPointer();
    QZInitFont(g_hWnd);
    g_ScreenManager.Init(g_lpDD, g_lpBackSurface);
    g_ScreenManager.AddScreen(&g_LauncherScreen);
    g_ScreenManager.SelectScreen("Portico");
    QZInitKeyboard();
    return MainLoop();
}
