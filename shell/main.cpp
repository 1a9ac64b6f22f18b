// The game binary: a few options for this run, and the launcher's folder, which goes to WinMain.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/api/user.h"
#include "platform/core/folder_options.h"
#include "shell/display_settings.h"
#include "shell/game_options.h"
#include "shell/win_main.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    platform::FolderRequest folders;
    if (const auto exitCode = platform::TakeFolderOptions("stalkway", &arguments, &folders)) return *exitCode;
    GameOptions options = ParseGameOptions(arguments);
    switch (options.action) {
    case GameOptions::Action::ShowHelp: std::fputs(GameUsage().c_str(), stdout); return 0;
    case GameOptions::Action::ShowVersion: std::printf("%s\n", GameVersion().c_str()); return 0;
    case GameOptions::Action::Refuse:
        std::fprintf(stderr, "stalkway: %s\n%s", options.problem.c_str(), GameUsage().c_str());
        return 2;
    case GameOptions::Action::Play: break;
    }
    // Help and version need no data; everything after them does.
    if (const auto exitCode = platform::UseFolders("stalkway", folders)) return *exitCode;
    g_nFullScreenChoice = options.fullScreen;
    SetDisplayOptions(options.scale, options.filter);
    return WinMain(nullptr, nullptr, options.launcherDir.data(), SW_SHOWNORMAL);
}
