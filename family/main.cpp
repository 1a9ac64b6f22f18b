// The page's one program, `stalkway` in the browser: the launcher and the game, one after the
// other in one module, as the desktop runs the two executables one after the other. The first word
// names the program to start with, "portico" (the launcher, also when none is named) or
// "stalkway" (the game); the rest is its command line. Before that word the page puts
// "--home-server URL" when it was served by a world hall of fame, which both programs then use
// whenever setup.ini names none. A program's Play or Menu starts the other once it has ended; a
// game the launcher started comes back to the launcher when it ends by itself.
#include <optional>
#include <string>
#include <vector>

#include "launcher/portico_main.h"
#include "platform/api/family_programs.h"
#include "platform/api/web_requests.h"
#include "shell/game_main.h"

namespace {

constexpr char kGame[] = "stalkway";
constexpr char kLauncher[] = "portico";

int Run(const platform::FamilyStart& start) {
    std::vector<std::string> words{start.program};
    words.insert(words.end(), start.arguments.begin(), start.arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(words.size());
    return start.program == kGame ? GameMain(argc, argv.data()) : PorticoCommand(argc, argv.data());
}

constexpr char kHomeServer[] = "--home-server";

platform::FamilyStart FirstProgram(int argc, char** argv) {
    platform::FamilyStart first{kLauncher, {}};
    int from = 1;
    if (argc > 2 && std::string(argv[1]) == kHomeServer) {
        platform::UseHomeServer(argv[2]);
        from = 3;
    }
    if (argc > from && (std::string(argv[from]) == kGame || std::string(argv[from]) == kLauncher)) {
        first.program = argv[from];
        ++from;
    }
    for (int i = from; i < argc; ++i) first.arguments.emplace_back(argv[i]);
    return first;
}

}  // namespace

int main(int argc, char** argv) {
    platform::FamilyStart next = FirstProgram(argc, argv);
    std::optional<platform::FamilyStart> launcher;
    for (;;) {
        if (next.program == kLauncher) launcher = next;
        const int status = Run(next);
        if (std::optional<platform::FamilyStart> asked = platform::TakeFamilyStart()) {
            next = *asked;
        } else if (next.program == kGame && launcher) {
            next = *launcher;
        } else {
            return status;
        }
    }
}
