#include "server/maze_shelf.h"

#include <charconv>

#include "platform/core/file_folders.h"

namespace server {

std::string MazeId::Name() const { return Classic() ? "classic" : std::to_string(number); }

std::optional<MazeId> ParseMazeName(std::string_view text) {
    if (text == "classic") return MazeId{};
    // Digits only: no sign, no blanks, no leading zero, at most eight of them.
    if (text.empty() || text.size() > 8 || text[0] == '0') return std::nullopt;
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size() || number < 1 || number > kLastMazeNumber)
        return std::nullopt;
    return MazeId{number};
}

bool ClassicShelf::Select(const MazeId& maze) {
    if (!Serves(maze)) return false;
    // The server only reads: with no player's folder, every write the game might try is refused.
    platform::FileFolders folders;
    folders.data = dataFolder_;
    folders.separate = true;
    platform::UseFileFolders(folders);
    return true;
}

}  // namespace server
