// The game's command line: a few options for this run, and the launcher's folder, which is every
// other word, joined again as the launcher passed it.
#pragma once

#include <string>
#include <vector>

struct GameOptions {
    enum class Action { Play, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Play;
    // -1 leaves it to setup.ini; 0 a window, 1 the whole screen, for this run only.
    int fullScreen = -1;
    // How the picture fills the screen, for this run; empty leaves it to setup.ini.
    std::string scale;
    std::string filter;
    std::string launcherDir;
    // Why the command line was refused.
    std::string problem;
};

// The arguments after the program's name.
GameOptions ParseGameOptions(const std::vector<std::string>& arguments);
// The help text, ending in a line end.
std::string GameUsage();
// "stalkway VERSION", and the commit the build came from when it came from a git checkout.
std::string GameVersion();
