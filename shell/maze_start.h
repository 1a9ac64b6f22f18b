// The maze this run plays, chosen on the command line: the classic maze, or a numbered one whose
// files are made when first needed into a cache, checked against their digest whenever they are
// used, and put over the data folder's by the file names' maze layer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The maze number this run plays; 0 for the classic maze.
extern std::uint32_t g_nMazeNumber;

// "classic", "today" or a number from 1 to 99,999,999: the maze number, or nothing.
std::optional<std::uint32_t> MazeOfChoice(const std::string& choice);
inline constexpr char kMazeChoiceHelp[] = "--maze takes classic, today or a maze number from 1 to 99999999";

// Today's maze, by the clock in UTC; a clock before 2000 or beyond 9999 gives the nearest day's
// maze, and says so on the log.
std::uint32_t TodaysMaze();

// Readies maze `number`'s files and the file names' layer for them; nothing for the classic maze.
// False, with a message box, when the maze cannot be made.
bool StartMaze(std::uint32_t number);

// Where maze `number`'s files are kept, for the program whose data folder is set.
std::string MazeCacheFolder(std::uint32_t number);
