#include "shell/game_main.h"

#include <algorithm>
#include <cstdio>

#include "game/world_server.h"
#include "host/command_line.h"
#include "host/maze_choice.h"
#include "host/program_start.h"
#include "maze/maze_number.h"
#include "platform/api/user.h"
#include "shell/display_settings.h"
#include "shell/game_options.h"
#include "shell/maze_start.h"
#include "shell/win_main.h"

int GameMain(int argc, char** argv) {
    host::CommandLine line;
    if (const auto exitCode = host::ReadCommandLine(GameProgram(), argc, argv, &line)) return *exitCode;
    GameOptions options = GameOptionsOf(line);
    // A run without --maze plays the classic maze, even after one that played another.
    g_nMazeNumber = assets::kClassicMaze;
    if (!options.maze.empty() ||
        line.given.end() != std::find_if(line.given.begin(), line.given.end(),
                                         [](const auto& option) { return option.first == "--maze"; })) {
        const auto maze = host::MazeOfChoice(options.maze);
        if (!maze) {
            std::fprintf(stderr, "stalkway: %s\n%s", host::kMazeChoiceHelp, host::Usage(GameProgram()).c_str());
            return 2;
        }
        g_nMazeNumber = *maze;
    }
    g_nFullScreenChoice = options.fullScreen;
    g_worldServerChoice = options.server;
    SetDisplayOptions(options.scale, options.filter);
    return host::ExitStatus(WinMain(nullptr, nullptr, options.launcherDir.data(), SW_SHOWNORMAL));
}
