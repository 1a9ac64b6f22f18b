// Where a numbered maze's files lie, for the programs above the platform: its made pictures in a
// cache of their own, and its players' files in a folder of their own below the player's data
// folder. The programs keep opening every file by the name it always had; the file names' maze
// layer finds the maze's own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/api/program_folders.h"

namespace platform {

// The folder maze `number`'s made pictures are kept in, for the program whose folders are set:
// $XDG_CACHE_HOME/stalkway/mazes/N (else ~/.cache/...) when installed, else mazes/N beside the data
// folder.
std::string MazeCacheFolder(std::uint32_t number);

// Lays maze `number`'s folders over the file names: `pictures` is read first for a name directly in
// the data folder (none when empty), and `playerFiles` (and the files named after them) are kept in
// mazes/N of the player's data folder, as the program of `role` finds it. Number 0, the classic
// maze, takes the layer away.
void UseMazeFolders(std::uint32_t number, const std::string& pictures, const std::vector<std::string>& playerFiles,
                    FolderRole role);

}  // namespace platform
