// The game binary: the command line (the launcher's directory) goes to WinMain whole.
#include <string>

#include "platform/api/user.h"
#include "shell/win_main.h"

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    return WinMain(nullptr, nullptr, commandLine.data(), SW_SHOWNORMAL);
}
