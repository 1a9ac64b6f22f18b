#include "maze/maze_number.h"

#include <algorithm>

namespace assets {

namespace {

// The civil date of a day counted from 1970-01-01 (the proleptic Gregorian calendar), by whole
// 400-year eras: integer arithmetic only.
std::uint32_t DateNumber(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const std::int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    if (year < 2000) return 0;
    if (year > 9999) return kLastDayMaze + 1;
    return static_cast<std::uint32_t>(year * 10000 + month * 100 + day);
}

}  // namespace

std::optional<std::uint32_t> ParseMazeNumber(const std::string& text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    std::uint32_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (number < kFirstMaze || number > kLastMaze) return std::nullopt;
    return number;
}

DayMaze MazeOfDay(std::int64_t secondsSince1970) {
    const std::int64_t days = (secondsSince1970 >= 0 ? secondsSince1970 : secondsSince1970 - 86399) / 86400;
    // Far beyond any calendar the clock could mean, the day count itself is clamped first.
    const std::uint32_t date = DateNumber(std::clamp<std::int64_t>(days, -1, 3000000));
    DayMaze maze;
    maze.number = std::clamp(date, kFirstDayMaze, kLastDayMaze);
    maze.clamped = maze.number != date;
    return maze;
}

std::optional<std::uint32_t> ParseMazeChoice(const std::string& text, std::uint32_t today) {
    if (text == "classic") return kClassicMaze;
    if (text == "today") return today;
    return ParseMazeNumber(text);
}

}  // namespace assets
