// Which folders the program runs with: the data folder it was given, else the one an installed
// game has beside its executable's folder, else the working directory when it holds the data.
// An installed game keeps the player's files in the player's own folders; given its data folder,
// or run where its data is, the game is portable and keeps everything there.
#pragma once

#include <string>
#include <vector>

#include "platform/api/program_folders.h"
#include "platform/core/file_folders.h"
#include "platform/core/system_folders.h"

namespace platform {

struct FolderChoice {
    bool found = false;
    FileFolders folders;
    std::vector<std::string> tried;  // the data folders looked in, in order
};

// Below this name in the player's data and settings folders.
inline constexpr char kUserFolderName[] = "stalkway";
// The game's data folder below the launcher's folder, in a portable game.
inline constexpr char kGameFolderName[] = "Stalkway";

FolderChoice ChooseFolders(const FolderRequest& request, const SystemFolders& system,
                           FolderRole role = FolderRole::Game);

}  // namespace platform
