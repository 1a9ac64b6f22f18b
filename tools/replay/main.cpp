// stalkway-replay [--program NAME] [--data DIR] [--user-dir DIR] [--maze MAZE] [--server URL] [--shots DIR] [--log
// FILE]
//                 [--audio FILE] [--depth BITS] [--seed N] [--fail WHAT]... [--stats] SCRIPT [LAUNCHER_DIR]
//
// Runs the whole program headless, driven by a script, in virtual time: the same script in the same
// data folder gives the same screenshots and log, byte for byte. NAME is stalkway, the game (the
// default), or portico, the launcher, run in the launcher's folder. The data folder is found as the
// program finds it (in the build tree the current folder, or "Stalkway" in it for the launcher).
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "game/world_server.h"
#include "host/program_start.h"
#include "launcher/portico_main.h"
#include "platform/api/user.h"
#include "platform/api/program_folders.h"
#include "host/maze_choice.h"
#include "shell/maze_start.h"
#include "shell/win_main.h"
#include "tools/replay/replay.h"
#include "tools/replay/replay_options.h"

namespace {

// Takes "--maze MAZE" out of the arguments; false when its value is no maze.
bool TakeMazeOption(std::vector<std::string>* arguments) {
    for (std::size_t i = 0; i < arguments->size(); ++i) {
        if ((*arguments)[i] == "--") return true;
        if ((*arguments)[i] != "--maze") continue;
        const auto maze = i + 1 < arguments->size() ? host::MazeOfChoice((*arguments)[i + 1]) : std::nullopt;
        if (!maze) return false;
        g_nMazeNumber = *maze;
        arguments->erase(arguments->begin() + static_cast<std::ptrdiff_t>(i),
                         arguments->begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return true;
}

// Takes "--server URL" out of the arguments, for the game's world hall of fame; false when it has
// no value.
bool TakeServerOption(std::vector<std::string>* arguments) {
    for (std::size_t i = 0; i < arguments->size(); ++i) {
        if ((*arguments)[i] == "--") return true;
        if ((*arguments)[i] != "--server") continue;
        if (i + 1 >= arguments->size() || (*arguments)[i + 1].empty()) return false;
        g_worldServerChoice = (*arguments)[i + 1];
        arguments->erase(arguments->begin() + static_cast<std::ptrdiff_t>(i),
                         arguments->begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!TakeMazeOption(&arguments)) {
        std::fprintf(stderr, "stalkway-replay: %s\n%s", host::kMazeChoiceHelp, replay::Usage().c_str());
        return 2;
    }
    if (!TakeServerOption(&arguments)) {
        std::fprintf(stderr, "stalkway-replay: --server needs a URL\n%s", replay::Usage().c_str());
        return 2;
    }
    platform::FolderRequest folders;
    if (const auto exitCode = platform::TakeFolderOptions("stalkway-replay", &arguments, &folders)) return *exitCode;
    // The folders are settled once the runner has found its own options and script good.
    // Each program finds its folders, and names itself in its messages, as its own binary does.
    const auto afterFolders = [&folders](const char* name, int (*entry)(HINSTANCE, HINSTANCE, LPSTR, int),
                                         platform::FolderRole role) {
        return [&folders, name, entry, role](char* commandLine) {
            if (const auto exitCode = platform::UseFolders(name, folders, role)) return *exitCode;
            return host::ExitStatus(entry(nullptr, nullptr, commandLine, SW_SHOWNORMAL));
        };
    };
    const std::map<std::string, replay::Program> programs = {
        {"stalkway", afterFolders("stalkway", &WinMain, platform::FolderRole::Game)},
        {"portico", afterFolders("portico", &PorticoMain, platform::FolderRole::Launcher)},
    };
    return replay::RunReplay(arguments, programs);
}
