// The maze model. The maze is a picture, and the picture is the model: walls, the start, the exit
// and every item are colours or palette indices of its pixels. "maze" is the working copy (read
// for walls, painted with the trail), "mazebackup" the pristine copy, "mazemap" the same picture
// at 8 bits, read for its palette indices. The pictures belong to the maze screen; the model keeps
// the player's 2x2 block, what it has collected and the moves that brought it there.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/object_list.h"
#include "platform/api/types.h"

class GameController;
class LockedPixels;
class MazePictures;

// Directions are bits, combined into masks.
enum Direction : int { kLeft = 1, kRight = 2, kUp = 4, kDown = 8 };
inline constexpr int kAllDirections = kLeft | kRight | kUp | kDown;

// How far a game has come: the exit not reached yet, reached, or reached with every item collected.
enum Goal : int { kGoalNone = 0, kGoalReached = 1, kGoalPerfect = 2 };

struct MoveRecord {
    std::int32_t direction;
    std::int32_t steps;
};

class MazeModel {
public:
    static constexpr int kHilites = 10;
    static constexpr int kKernels = 100;

    // The score is the game's: what the model collects and walks is added to it, and stepping
    // back past the first move starts the game anew.
    // The game's model works on the maze screen's pictures; another works on a set of its own.
    explicit MazeModel(GameController& game);
    MazeModel(GameController& game, MazePictures& pictures);
    ~MazeModel();
    MazeModel(const MazeModel&) = delete;
    MazeModel& operator=(const MazeModel&) = delete;

    // The maze as a new game finds it: the pristine picture with an empty panel, nothing collected,
    // the player on the start, no moves made and every way open.
    void Reset();

    void FindStart();
    // Which of the asked directions are open, with the side openings seen beside them.
    int ProbeMoves(int mask);
    // Collects what the 2x2 block of the map at (x, y) holds.
    void ExamineBlock(int x, int y);
    // One straight run; the directions open at its end, the way back left out.
    int MoveSegment(int direction);
    // One player move, followed round every bend; the new allowed moves.
    int Run(int direction);
    // -1 forgets every item of the kind.
    void MarkKernel(int kernel);
    void MarkHilite(int hilite);
    void PaintTrailBlock();
    void PaintPositionBlock();
    void AddHistory(int direction, int steps);
    // Undoes the last move by replaying the others from the start; with one move or none made,
    // the game starts anew.
    void StepBack();

    int PosX() const { return posX_; }
    int PosY() const { return posY_; }
    // Puts the player's block at (x, y); nothing is painted.
    void SetPosition(int x, int y) {
        posX_ = x;
        posY_ = y;
    }
    int AllowedMoves() const { return allowedMoves_; }
    // The pixels stepped by the last move, alignment steps left out.
    int MoveSteps() const { return moveSteps_; }
    int GoalState() const { return goalState_; }
    bool HiliteFound(int hilite) const { return hiliteFound_[hilite] != 0; }
    bool KernelFound(int kernel) const { return kernelFound_[kernel] != 0; }
    int HistoryCount() const { return history_.Count(); }
    // The directions of the moves made, in order.
    std::vector<std::int32_t> Route() const;
    // Collecting rings the bell only while this is set; the replay of a step back is silent.
    void SetBellEnabled(int enabled) { bellEnabled_ = enabled; }
    // Set when a move has passed the exit; the next frame finishes the game and clears it.
    bool FinishPending() const { return finishPending_ != 0; }
    void ClearFinishPending() { finishPending_ = 0; }

private:
    // ExamineBlock in two halves, so that a probe can read many blocks under one lock: the item in
    // the block (-1 for none), noting the exit when it is there; then collecting it.
    int ReadBlock(const LockedPixels& map, int x, int y);
    void TakeItem(int item);
    bool AllItemsFound() const;
    void Step(int direction);
    void PaintLeadingEdge(int direction);
    void PaintBlock(int colour);
    // A straight run's trail is painted in one write at the run's end, or sooner when a probe
    // reads where it lies or an item found is about to be drawn, so the pixels come out as if
    // each step had painted its own pair.
    void ExtendTrail(const RECT& pair);
    bool TrailHolds(int x, int y) const;
    void PaintTrail();
    void AddScore(int points);

    // The pictures and colours a move works with. A move reads thousands of pixels; looking the
    // pictures up by name and packing the colours for each one cost more than the reads, so the
    // outermost Run or StepBack does it once and the operations inside share the result.
    struct MoveView;
    class MoveScope;
    MoveView View() const;
    // Within a move, the map read under one lock for the whole move: nothing a move does draws on
    // the map, and a lock for each probe cost more than its reads.
    const LockedPixels& MapPixels();
    // The maze read the same way, for as long as nothing draws on it: whatever draws on it lets go
    // of the lock first.
    const LockedPixels& MazeReads();
    void LetGoOfMaze();
    const MoveView* moveView_ = nullptr;
    MoveScope* moveScope_ = nullptr;

    GameController& game_;
    MazePictures& pictures_;
    std::int32_t posX_ = 0;
    std::int32_t posY_ = 0;
    std::int32_t startX_ = -1;
    std::int32_t startY_ = -1;
    ObjectList<MoveRecord> history_{1};
    std::int32_t allowedMoves_ = kAllDirections;
    std::int32_t hiliteFound_[kHilites] = {};
    std::int32_t kernelFound_[kKernels] = {};
    std::int32_t moveSteps_ = 0;
    std::int32_t bellEnabled_ = 0;
    std::int32_t goalState_ = kGoalNone;
    std::int32_t finishPending_ = 0;
    std::optional<RECT> trail_;
};
