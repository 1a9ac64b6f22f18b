// The game binary: after the options that say where its files are, the command line (the
// launcher's directory) goes to WinMain whole.
#include <string>
#include <vector>

#include "platform/api/user.h"
#include "platform/core/folder_options.h"
#include "shell/win_main.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    platform::FolderRequest folders;
    if (const auto exitCode = platform::TakeFolderOptions("stalkway", &arguments, &folders)) return *exitCode;
    if (const auto exitCode = platform::UseFolders("stalkway", folders)) return *exitCode;
    std::string commandLine;
    for (const std::string& argument : arguments) {
        if (!commandLine.empty()) commandLine += ' ';
        commandLine += argument;
    }
    return WinMain(nullptr, nullptr, commandLine.data(), SW_SHOWNORMAL);
}
