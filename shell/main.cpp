// The game binary: a few options for this run, and the launcher's folder, which goes to WinMain.
#include "host/command_line.h"
#include "host/program_start.h"
#include "platform/api/user.h"
#include "shell/display_settings.h"
#include "shell/game_options.h"
#include "shell/win_main.h"

int main(int argc, char** argv) {
    host::CommandLine line;
    if (const auto exitCode = host::ReadCommandLine(GameProgram(), argc, argv, &line)) return *exitCode;
    GameOptions options = GameOptionsOf(line);
    g_nFullScreenChoice = options.fullScreen;
    SetDisplayOptions(options.scale, options.filter);
    return host::ExitStatus(WinMain(nullptr, nullptr, options.launcherDir.data(), SW_SHOWNORMAL));
}
