// The game's command line: a few options for this run, and the launcher's folder, which is every
// other word, joined again as the launcher passed it.
#pragma once

#include <string>
#include <vector>

#include "host/command_line.h"

struct GameOptions {
    using Action = host::CommandLine::Action;
    Action action = Action::Run;
    // -1 leaves it to setup.ini; 0 a window, 1 the whole screen, for this run only.
    int fullScreen = -1;
    // How the picture fills the screen, for this run; empty leaves it to setup.ini.
    std::string scale;
    std::string filter;
    // "classic", "today" or a maze number, as given; empty for the classic maze.
    std::string maze;
    // The world hall of fame's server for this run; empty leaves it to setup.ini.
    std::string server;
    std::string launcherDir;
    // Why the command line was refused.
    std::string problem;
};

// The game as its command line, help and version present it.
const host::Program& GameProgram();
// The game's own options, from a command line read against GameProgram().
GameOptions GameOptionsOf(const host::CommandLine& line);
// The arguments after the program's name, the folder options taken out.
GameOptions ParseGameOptions(const std::vector<std::string>& arguments);
