// A folder that keeps a numbered maze's made pictures and their digest, so that a maze is made once
// and read back afterwards. A folder is used only while every picture matches the digest.
#pragma once

#include <string>

#include "maze/maze_files.h"

namespace assets {

// Whether every picture of the folder matches the folder's digest.
bool MazeCacheIsSound(const std::string& folder);

// Writes the maze's pictures into the folder (made when missing): each file under a temporary name
// first, then renamed, the digest last, so that a cache cut short lacks its digest or fails it, and
// programs making the same maze side by side never read each other's half-written files. True when
// the folder is sound afterwards.
bool WriteMazeCache(const std::string& folder, const MazeFiles& files);

}  // namespace assets
