#include "host/maze_choice.h"

#include <cstdio>

#include "maze/maze_number.h"
#include "platform/api/program_folders.h"
#include "platform/api/win32.h"

namespace host {

std::optional<std::uint32_t> MazeOfChoice(const std::string& choice) {
    return assets::ParseMazeChoice(choice, choice == "today" ? TodaysMaze() : 0);
}

std::uint32_t TodaysMaze() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto steps = static_cast<std::int64_t>(FileTimeSteps(now)) -
                       static_cast<std::int64_t>(kFileTimeStepsBefore1970);
    const assets::DayMaze maze = assets::MazeOfDay(steps / 10000000);
    if (maze.clamped)
        std::fprintf(stderr, "%s: the clock is outside the years 2000 to 9999; today's maze is %u\n",
                     platform::ProgramName(), static_cast<unsigned>(maze.number));
    return maze.number;
}

}  // namespace host
