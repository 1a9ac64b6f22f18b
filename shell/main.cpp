// The game binary: --scale and --filter are taken out, the rest of the command line (the
// launcher's directory) goes to WinMain whole.
#include <string>

#include "platform/api/user.h"
#include "shell/display_settings.h"
#include "shell/win_main.h"

int main(int argc, char** argv) {
    std::string commandLine;
    std::string scale;
    std::string filter;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        std::string* option = argument == "--scale" ? &scale : argument == "--filter" ? &filter : nullptr;
        if (option != nullptr && i + 1 < argc) {
            *option = argv[++i];
            continue;
        }
        if (!commandLine.empty()) commandLine += ' ';
        commandLine += argument;
    }
    SetDisplayOptions(scale, filter);
    return WinMain(nullptr, nullptr, commandLine.data(), SW_SHOWNORMAL);
}
