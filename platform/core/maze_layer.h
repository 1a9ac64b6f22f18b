// The layer a numbered maze puts over the program's file names. Its pictures lie in a folder of
// their own, read before the data folder's; its players' files (the hall of fame, the winners'
// file and whatever is written beside them under their names) lie in a folder of their own below
// the player's data folder, so that each maze keeps its own. The classic maze has no layer, and
// the program's code keeps opening every file by the name it always had.
#pragma once

#include <string>
#include <vector>

#include "platform/core/folder_choice.h"

namespace platform {

struct MazeLayer {
    // Read first for a name directly in the data folder; none when empty.
    std::string pictures;
    // The native folder of the maze's players' files (PlayerDataFolder's "mazes/12345"); no layer
    // for players' files when empty.
    std::string playerFolder;
    // Names, without regard to case, whose files and the files named after them belong to the maze.
    std::vector<std::string> playerFiles;
};

void UseMazeLayer(MazeLayer layer);
MazeLayer CurrentMazeLayer();

// The player's data folder: where the game keeps the hall of fame (the data folder itself in a
// portable game), as the program of `role` was given its folders.
std::string PlayerDataFolder(const FileFolders& folders, FolderRole role);

// The name without its leading ".\", when it lies directly in the data folder; empty otherwise.
std::string TopLevelName(const char* windowsName);
// Whether the layer keeps the file of this name among the maze's own players' files.
bool IsMazePlayerFile(const MazeLayer& layer, const std::string& topLevelName);

}  // namespace platform
