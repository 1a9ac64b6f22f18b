// The family's programs sharing one process, as the browser's page runs them: the launcher's Play
// and the game's Menu ask ShellExecuteA to start the other, and the process starts it once the
// asking one has ended.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

struct FamilyStart {
    std::string program;                 // "stalkway" or "portico"
    std::vector<std::string> arguments;  // its command line, split as Windows splits one
};

// Once the running program has ended: the program it asked to start, if any. What the ended one
// left of windows, window classes, queued messages and held keys is forgotten either way, as the
// end of a process forgets it.
std::optional<FamilyStart> TakeFamilyStart();

}  // namespace platform
