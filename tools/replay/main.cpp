// stalkway-replay [--shots DIR] [--log FILE] [--audio FILE] [--depth BITS] [--seed N] [--fail WHAT]...
//                 [--stats] SCRIPT [LAUNCHER_DIR]
//
// Runs the whole program headless in the current folder, driven by a script, in virtual time: the
// same script in the same data folder gives the same screenshots and log, byte for byte.
#include <string>
#include <vector>

#include "platform/api/user.h"
#include "shell/win_main.h"
#include "tools/replay/replay.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return replay::RunReplay(arguments,
                             [](char* commandLine) { return WinMain(nullptr, nullptr, commandLine, SW_SHOWNORMAL); });
}
