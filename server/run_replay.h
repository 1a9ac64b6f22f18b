// A run played again: the moves a client sent, on the maze it names, with the game's own maze
// model, giving the score the game offered its hall of fame at the end of that run.
#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <semaphore>
#include <optional>
#include <string_view>

#include "server/maze_shelf.h"
#include "server/picture_set.h"

namespace server {

// The letters of a run: a move that moved the block, and a step back.
inline constexpr char kMoveLetters[] = "LRUDB";

struct RunOutcome {
    int score = 0;
    bool perfect = false;
    bool finished = false;
    // The index of the first move the game would not have taken; -1 when it took them all.
    int refusedAt = -1;
    bool Refused() const { return refusedAt >= 0; }
};

// How many picture sets a replayer keeps between runs: one for each run played at once on each of
// a few mazes. More are made while more runs are played at once, and let go when they end.
inline constexpr std::size_t kKeptPictureSets = 16;

// Owns the headless display the maze pictures live on, and plays runs side by side: each run takes
// a set of its maze's pictures of its own (kept for the next run of that maze), so runs share only
// the loading of new sets, which points the program's one set of file names at a maze.
class RunReplayer {
public:
    // Brings up the headless display. The shelf must outlive the replayer. `parallel` runs are
    // played at once (the others wait): one for each core, by default.
    explicit RunReplayer(MazeShelf& shelf, std::size_t keptSets = kKeptPictureSets, int parallel = 0);
    ~RunReplayer();
    RunReplayer(const RunReplayer&) = delete;
    RunReplayer& operator=(const RunReplayer&) = delete;

    // False when the display could not be brought up.
    bool Ready() const { return window_ != nullptr; }
    // Plays `moves` (letters of kMoveLetters; anything else is refused where it stands) from a new
    // game. Empty when the maze is not served or its pictures could not be loaded. Any number of
    // threads may call it at once.
    std::optional<RunOutcome> Replay(const MazeId& maze, std::string_view moves);
    // How many picture sets have been loaded so far.
    int LoadedSets();

private:
    std::unique_ptr<PictureSet> Take(const MazeId& maze);
    void Give(std::unique_ptr<PictureSet> set);

    MazeShelf& shelf_;
    std::size_t keptSets_;
    // The file names and the display's surfaces are made under this lock.
    std::mutex loadLock_;
    std::mutex keptLock_;
    // Runs beyond one for each core would only share the cores, and each holds a picture set.
    std::counting_semaphore<> playing_;
    std::list<std::unique_ptr<PictureSet>> kept_;  // the most recently used first
    int loaded_ = 0;
    void* window_ = nullptr;
};

}  // namespace server
