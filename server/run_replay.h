// A run played again: the moves a client sent, on the maze it names, with the game's own maze
// model, giving the score the game offered its hall of fame at the end of that run.
#pragma once

#include <mutex>
#include <optional>
#include <string_view>

#include "server/maze_shelf.h"

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

// Owns the headless display the maze pictures live on. The maze screen and the pictures it holds
// are the program's one set, so runs are played one at a time; everything else a submission does
// happens outside this lock.
class RunReplayer {
public:
    // Brings up the headless display. The shelf must outlive the replayer.
    explicit RunReplayer(MazeShelf& shelf);
    ~RunReplayer();
    RunReplayer(const RunReplayer&) = delete;
    RunReplayer& operator=(const RunReplayer&) = delete;

    // False when the display could not be brought up.
    bool Ready() const { return window_ != nullptr; }
    // Plays `moves` (letters of kMoveLetters; anything else is refused where it stands) from a new
    // game. Empty when the maze is not served or its pictures could not be loaded.
    std::optional<RunOutcome> Replay(const MazeId& maze, std::string_view moves);

private:
    bool Load(const MazeId& maze);

    MazeShelf& shelf_;
    std::mutex lock_;
    void* window_ = nullptr;
    std::optional<MazeId> loaded_;
};

}  // namespace server
