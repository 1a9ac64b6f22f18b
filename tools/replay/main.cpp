// stalkway-replay [--program NAME] [--shots DIR] [--log FILE] [--audio FILE] [--depth BITS] [--seed N] [--fail WHAT]...
//                 [--stats] SCRIPT [LAUNCHER_DIR]
//
// Runs the whole program headless in the current folder, driven by a script, in virtual time: the
// same script in the same data folder gives the same screenshots and log, byte for byte. NAME is
// stalkway, the game (the default), or portico, the launcher, run in the launcher's folder.
#include <map>
#include <string>
#include <vector>

#include "launcher/portico_main.h"
#include "platform/api/user.h"
#include "shell/win_main.h"
#include "tools/replay/replay.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::map<std::string, replay::Program> programs = {
        {"stalkway", [](char* commandLine) { return WinMain(nullptr, nullptr, commandLine, SW_SHOWNORMAL); }},
        {"portico", [](char* commandLine) { return PorticoMain(nullptr, nullptr, commandLine, SW_SHOWNORMAL); }},
    };
    return replay::RunReplay(arguments, programs);
}
