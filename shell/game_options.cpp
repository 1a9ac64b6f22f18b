#include "shell/game_options.h"

#include <algorithm>

#include "stalkway_version.h"

namespace {

struct Option {
    const char* name;
    const char* value;  // the value's name in the help, or null when the option takes none
    const char* help;
    void (*apply)(GameOptions* options, const std::string& value);
};

const Option kOptions[] = {
    // These two are taken from the command line before the rest (platform/core/folder_options.h);
    // they are here for the help.
    {"--data", "DIR", "the game's data folder (otherwise found beside the program or here)",
     [](GameOptions*, const std::string&) {}},
    {"--user-dir", "DIR", "where the player's files go (otherwise the user's data and settings folders)",
     [](GameOptions*, const std::string&) {}},
    {"--window", nullptr, "play in a window this time, whatever setup.ini says",
     [](GameOptions* options, const std::string&) { options->fullScreen = 0; }},
    {"--fullscreen", nullptr, "play on the whole screen this time, whatever setup.ini says",
     [](GameOptions* options, const std::string&) { options->fullScreen = 1; }},
    {"--scale", "MODE", "fit (the default), integer or stretch: how the picture fills the screen",
     [](GameOptions* options, const std::string& value) { options->scale = value; }},
    {"--filter", "NAME", "sharp (the default), nearest or linear: how the picture is scaled",
     [](GameOptions* options, const std::string& value) { options->filter = value; }},
    {"--help", nullptr, "print this help and exit",
     [](GameOptions* options, const std::string&) { options->action = GameOptions::Action::ShowHelp; }},
    {"--version", nullptr, "print the version and exit",
     [](GameOptions* options, const std::string&) { options->action = GameOptions::Action::ShowVersion; }},
};

const Option* FindOption(const std::string& name) {
    for (const Option& option : kOptions)
        if (name == option.name) return &option;
    return nullptr;
}

GameOptions Refused(const std::string& problem) {
    GameOptions refused;
    refused.action = GameOptions::Action::Refuse;
    refused.problem = problem;
    return refused;
}

void AddToLauncherDir(GameOptions* options, const std::string& word) {
    if (!options->launcherDir.empty()) options->launcherDir += ' ';
    options->launcherDir += word;
}

}  // namespace

GameOptions ParseGameOptions(const std::vector<std::string>& arguments) {
    GameOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (optionsEnded || word.rfind("--", 0) != 0) {
            AddToLauncherDir(&options, word);
            continue;
        }
        // After "--" every word belongs to the launcher's folder, even one that looks like an option.
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const Option* option = FindOption(word);
        if (option == nullptr) return Refused("unknown option " + word);
        if (option->value != nullptr && i + 1 >= arguments.size()) return Refused(word + " needs a value");
        option->apply(&options, option->value != nullptr ? arguments[++i] : std::string());
    }
    return options;
}

std::string GameUsage() {
    std::string usage =
        "usage: stalkway [OPTION]... [--] [LAUNCHER_DIR]\n"
        "Plays Stalkway with the game's data in the current folder.\n\n";
    for (const Option& option : kOptions) {
        std::string left = std::string(option.name) + (option.value != nullptr ? std::string(" ") + option.value : "");
        left.resize(std::max<std::size_t>(left.size() + 2, 18), ' ');
        usage += "  " + left + option.help + "\n";
    }
    usage +=
        "\nEvery other word is the launcher's folder (Menu starts the launcher there), taken whole.\n"
        "Exit codes: 0 after a normal end, 1 when the game cannot start, 2 for a bad command line.\n";
    return usage;
}

std::string GameVersion() {
    std::string version = std::string("stalkway ") + STALKWAY_VERSION;
    if (*STALKWAY_COMMIT != '\0') version += std::string(" (commit ") + STALKWAY_COMMIT + ")";
    return version;
}
