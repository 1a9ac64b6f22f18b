// Which mazes this server replays, and how their pictures are found. A maze is "classic" or a
// number; the game opens its maze by the names it always uses ("maze02.bmp"), so serving a maze
// means pointing the file names at that maze's folder before its pictures are loaded.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <mutex>
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

// A maze's name as the programs' command lines take it ("classic", "today" or a number from 1 to
// 99999999); `todayMs` is the time that says which maze "today" is. Nothing for any other text.
std::optional<MazeId> MazeOfName(std::string_view text, std::int64_t todayMs);

class MazeShelf {
public:
    virtual ~MazeShelf() = default;
    // Whether this server has the maze's pictures, or can make them.
    virtual bool Serves(const MazeId& maze) const = 0;
    // Makes the maze's pictures ready when they need making, leaving the file names alone; false
    // when it is not served or cannot be made. Any thread, at any time.
    virtual bool Prepare(const MazeId& maze) { return Serves(maze); }
    // Points the game's file names at the maze's pictures, making them first when need be; false
    // when it is not served or cannot be made. The file names are the program's one set: one
    // thread at a time selects and loads.
    virtual bool Select(const MazeId& maze) = 0;
};

// The classic maze, from the game's data folder; no numbered maze.
class ClassicShelf : public MazeShelf {
public:
    explicit ClassicShelf(std::string dataFolder) : dataFolder_(std::move(dataFolder)) {}
    bool Serves(const MazeId& maze) const override { return maze.Classic(); }
    bool Select(const MazeId& maze) override;

protected:
    const std::string& DataFolder() const { return dataFolder_; }

private:
    std::string dataFolder_;
};

// How many numbered mazes a shelf keeps made at most: the day's mazes and the few before them
// are the ones played, and each is three pictures of about a megabyte.
inline constexpr std::size_t kKeptMazes = 64;

// Every maze: the classic one from the data folder, and each numbered one made from its number and
// the data folder's pictures, as the game makes it, into `cacheFolder`/N on first use. A folder is
// checked against its digest before it is used; beyond `kept` mazes, the one used longest ago is
// removed.
class MadeMazeShelf : public ClassicShelf {
public:
    MadeMazeShelf(std::string dataFolder, std::string cacheFolder, std::size_t kept = kKeptMazes);
    bool Serves(const MazeId&) const override { return true; }
    bool Prepare(const MazeId& maze) override {
        return maze.Classic() || !Folder(static_cast<std::uint32_t>(maze.number)).empty();
    }
    bool Select(const MazeId& maze) override;

    // The maze's folder, made when it is missing or damaged; empty when it cannot be made. A maze
    // asked for by many threads at once is made once.
    std::string Folder(std::uint32_t number);
    // How many mazes this shelf has made.
    int MadeCount();

private:
    void Remember(std::uint32_t number);

    std::string cacheFolder_;
    std::size_t kept_;
    std::mutex lock_;
    std::list<std::uint32_t> used_;  // the most recently used first
    int made_ = 0;
};

}  // namespace server
