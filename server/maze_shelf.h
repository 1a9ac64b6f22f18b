// Which mazes this server replays, and how their pictures are found. A maze is "classic" or a
// number; the game opens its maze by the names it always uses ("maze02.bmp"), so serving a maze
// means pointing the file names at that maze's folder before the maze screen loads it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace server {

// Numbered mazes run from 1 to this; 0 is never a maze.
inline constexpr std::int64_t kLastMazeNumber = 99'999'999;

struct MazeId {
    std::int64_t number = 0;  // 0: the classic maze
    bool Classic() const { return number == 0; }
    // "classic" or the number in decimal: the name in the API and in the database.
    std::string Name() const;
    bool operator==(const MazeId&) const = default;
};

// "classic" or a number from 1 to kLastMazeNumber written in plain decimal digits; nothing otherwise.
std::optional<MazeId> ParseMazeName(std::string_view text);

class MazeShelf {
public:
    virtual ~MazeShelf() = default;
    // Whether this server has the maze's pictures.
    virtual bool Serves(const MazeId& maze) const = 0;
    // Points the game's file names at the maze's pictures; false when it is not served. Called
    // with the maze screen left, before it is entered again.
    virtual bool Select(const MazeId& maze) = 0;
};

// The classic maze, from the game's data folder. Numbered mazes come from the maze layer, which
// a shelf of its own will reach; this one serves none of them.
class ClassicShelf : public MazeShelf {
public:
    explicit ClassicShelf(std::string dataFolder) : dataFolder_(std::move(dataFolder)) {}
    bool Serves(const MazeId& maze) const override { return maze.Classic(); }
    bool Select(const MazeId& maze) override;

private:
    std::string dataFolder_;
};

}  // namespace server
