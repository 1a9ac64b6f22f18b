#include "shell/game_options.h"

const host::Program& GameProgram() {
    static const host::Program program{
        .name = "stalkway",
        .purpose = "Plays Stalkway with the game's data in the current folder.",
        .words = "LAUNCHER_DIR",
        .wordsAre = "the launcher's folder (Menu starts the launcher there), taken whole",
        .own =
            {
                {"--window", nullptr, "play in a window this time, whatever setup.ini says"},
                {"--fullscreen", nullptr, "play on the whole screen this time, whatever setup.ini says"},
                {"--scale", "MODE", "fit (the default), integer or stretch: how the picture fills the screen"},
                {"--filter", "NAME", "sharp (the default), nearest or linear: how the picture is scaled"},
                {"--maze", "MAZE", "classic (the default), today or a maze number from 1 to 99999999"},
                {"--server", "URL", "send this run's games to the world hall of fame at URL, whatever setup.ini says"},
            },
    };
    return program;
}

GameOptions GameOptionsOf(const host::CommandLine& line) {
    GameOptions options;
    options.action = line.action;
    options.problem = line.problem;
    options.launcherDir = line.words;
    for (const auto& [name, value] : line.given) {
        if (name == "--window") options.fullScreen = 0;
        if (name == "--fullscreen") options.fullScreen = 1;
        if (name == "--scale") options.scale = value;
        if (name == "--filter") options.filter = value;
        if (name == "--maze") options.maze = value;
        if (name == "--server") options.server = value;
    }
    return options;
}

GameOptions ParseGameOptions(const std::vector<std::string>& arguments) {
    return GameOptionsOf(host::ParseCommandLine(GameProgram(), arguments));
}
