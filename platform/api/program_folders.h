// Where the family's programs find their files, as their command lines say: "--data DIR" (the
// game's data) and "--user-dir DIR" (the player's files). Both programs take them before anything
// else reads their command line, and settle the folders once the rest of it has been found good.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

struct FolderRequest {
    std::string data;  // --data; empty when not given
    std::string user;  // --user-dir; empty when not given
};

// The game and the launcher name their files alike, relative to the game's data folder, and keep
// them in the same folders (the profile files among the player's settings, file_names.h); they
// differ in where they run: the launcher in the folder above the game's.
enum class FolderRole { Game, Launcher };

// Takes the two options out of `arguments` into `request`; a word after "--" is never one of
// them. When one has no folder, says so on standard error (as `program`) and returns the exit code
// for a usage error, 2.
std::optional<int> TakeFolderOptions(const char* program, std::vector<std::string>* arguments, FolderRequest* request);

// Sets the file folders from the request and the system. When the game's data is nowhere to be
// found, names the folders it looked in on standard error and returns the exit code, 1. The
// request is kept for GivenFolderArguments.
std::optional<int> UseFolders(const char* program, const FolderRequest& request, FolderRole role = FolderRole::Game);

// The name the program's own messages on standard error begin with: the one UseFolders was
// given ("stalkway" or "portico"), "stalkway" before.
const char* ProgramName();

// The folder options this program was given, with absolute folders, as words of a Windows command
// line each followed by a blank; empty when none was given. A program of the family started from
// this one is handed them, so that the two keep to the same files.
std::string GivenFolderArguments();

// For a program of its own that only reads the game's data, such as the world hall of fame's server:
// the game's data folder an installed game has, found as the game finds it with no options; empty
// when there is none that holds the game's data.
std::string InstalledGameData();
// Whether the folder holds the game's data, by the picture it cannot start without.
bool HoldsGameData(const std::string& folder);
// The user's data home ($XDG_DATA_HOME, else ~/.local/share); empty without a home.
std::string UserDataHome();
// Reads every relative file name from `data` and refuses every write.
void UseReadOnlyFolders(const std::string& data);

// One argument as a word of a Windows command line, quoted so that it splits back whole, whatever
// blanks, quotes and backslashes it holds.
std::string QuoteArgument(const std::string& argument);

}  // namespace platform
