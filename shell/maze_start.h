// The maze this run plays, chosen on the command line: the classic maze, or a numbered one whose
// files are made when first needed into a cache, checked against their digest whenever they are
// used, and put over the data folder's by the file names' maze layer.
#pragma once

#include <cstdint>

// The maze number this run plays; 0 for the classic maze.
extern std::uint32_t g_nMazeNumber;

// Readies maze `number`'s files and the file names' layer for them; nothing for the classic maze.
// False, with a message box, when the maze cannot be made.
bool StartMaze(std::uint32_t number);
