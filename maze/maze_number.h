// Maze numbers: 0 is the classic maze, the game's own; 1 to 99,999,999 are made from their number.
// Today's maze is the date in UTC written as YYYYMMDD, so that every player has the same one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace assets {

inline constexpr std::uint32_t kClassicMaze = 0;
inline constexpr std::uint32_t kFirstMaze = 1;
inline constexpr std::uint32_t kLastMaze = 99999999;
// Today's maze for a clock outside these days is the nearest of them.
inline constexpr std::uint32_t kFirstDayMaze = 20000101;
inline constexpr std::uint32_t kLastDayMaze = 99991231;

// A number from 1 to 99,999,999, written in decimal digits only; nothing otherwise.
std::optional<std::uint32_t> ParseMazeNumber(const std::string& text);

struct DayMaze {
    std::uint32_t number = kFirstDayMaze;
    bool clamped = false;  // the clock was before kFirstDayMaze's day or after kLastDayMaze's
};

// Today's maze for the given seconds since 1970-01-01 00:00 UTC.
DayMaze MazeOfDay(std::int64_t secondsSince1970);

// "classic", "today" or a maze number, as the command lines take them: the maze number, or nothing
// for a word that is none of them. `today` is the number today's maze has.
std::optional<std::uint32_t> ParseMazeChoice(const std::string& text, std::uint32_t today);

}  // namespace assets
