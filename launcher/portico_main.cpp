#include "launcher/portico_main.h"

#include "game/sound_switches.h"
#include "host/program_start.h"
#include "host/program_window.h"
#include "launcher/launcher_screen.h"
#include "platform/api/qz.h"
#include "base/app_globals.h"
#include "screen/screen_manager.h"
#include "services/tick_timer.h"
#include "sound/sound_effects.h"

namespace {

// A window of its own size: the launcher has no settings for another.
const host::ProgramWindow kWindow{.className = "Portico Class",
                                  .title = "Stalk Way - Players",
                                  .maximizable = false,
                                  .onMessage = nullptr,
                                  .releaseOwn = nullptr};

// The launcher's signs click as the game's moves do, and keep quiet when effects are off.
void InitSound() {
    g_SoundEffects.Init(g_hWnd, 8);
    g_SoundEffects.EnableMusic(0);
    g_SoundEffects.EnableSFX(ReadSoundSwitch("SFX", kOptionsFile));
    g_SoundEffects.LoadEffect(".\\sounds\\positive.wav", kClickEffect);
}

}  // namespace

const host::Program& PorticoProgram() {
    static const host::Program program{
        .name = "portico",
        .purpose = "Keeps Stalkway's players and sound switches, shows its hall of fame and starts the game.",
        .words = "WHO",
        .wordsAre = "who started it (the game's Menu says Stalkway or Stalk), and changes nothing",
        .own = {},
        .role = platform::FolderRole::Launcher,
    };
    return program;
}

int PorticoMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!host::CheckDesktopColour()) return 0;
    g_hInstance = instance;
    QZSetInstance(instance);
    if (!host::RegisterProgramWindow(instance, kWindow) || !host::CreateProgramWindow(instance)) return 1;
    if (!host::InitDisplay()) {
        DestroyWindow(g_hWnd);
        return 1;
    }
    QZInitMouse();
    StartTickTimer();
    InitSound();
    host::InitPointer();
    QZInitFont(g_hWnd);
    g_ScreenManager.Init(g_lpDD, g_lpBackSurface);
    g_ScreenManager.AddScreen(&g_LauncherScreen);
    g_ScreenManager.SelectScreen("Portico");
    QZInitKeyboard();
    return host::RunFrameLoop();
}

int PorticoCommand(int argc, char** argv) {
    host::CommandLine line;
    if (const auto exitCode = host::ReadCommandLine(PorticoProgram(), argc, argv, &line)) return *exitCode;
    return host::ExitStatus(PorticoMain(nullptr, nullptr, line.words.data(), SW_SHOWNORMAL));
}
