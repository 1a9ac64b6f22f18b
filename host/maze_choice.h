// The maze a program is asked for: "classic", "today" or a maze number, as the command lines and
// the launcher give it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace host {

// "classic" (0), "today" or a number from 1 to 99,999,999: the maze number, or nothing.
std::optional<std::uint32_t> MazeOfChoice(const std::string& choice);
inline constexpr char kMazeChoiceHelp[] = "--maze takes classic, today or a maze number from 1 to 99999999";

// Today's maze, by the clock in UTC; a clock before 2000 or beyond 9999 gives the nearest day's
// maze, and says so on the log.
std::uint32_t TodaysMaze();

}  // namespace host
