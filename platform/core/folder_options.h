// The command-line options that say where the program's files are: "--data DIR" (the game's data)
// and "--user-dir DIR" (the player's files). Both programs take them before anything else reads
// their command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

// Takes the two options out of `arguments` and sets the file folders from them and the system.
// When the program cannot go on, says why on standard error (as `program`) and returns the exit
// code: 2 for an option without its folder, 1 when the game's data is nowhere to be found.
std::optional<int> TakeFolderOptions(const char* program, std::vector<std::string>* arguments);

}  // namespace platform
