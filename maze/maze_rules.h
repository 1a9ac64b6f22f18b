// The game's maze rules, pixel by pixel, so that the generator can play its maze exactly as the
// game will: the maze picture is the model, read one pixel at a time (the working copy for walls,
// the palette indices for items and the exit), and every move paints its red trail into the
// working copy. The operations and their order of reads, examinations and paints are the game's;
// the few frame-level steps a script drives (new game, a direction click, back, the finish in the
// following frame) are here too, so that a route can be checked click by click.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "maze/pictures.h"

namespace assets {

class MazeRules {
public:
    // The maze file, the hilite tiles and the empty panel, seen through a display of `layout`.
    MazeRules(const IndexedPicture& maze, const RgbPicture& hilite, const RgbPicture& nohilite,
              PixelLayout layout = PixelLayout::Rgb565);

    // What a click does in the game's frame. NewGameClicked starts a game and plays it; a direction
    // click acts only while playing and only when the direction is allowed (false otherwise); a
    // back click steps back. Finish is the check at the start of every frame: it doubles the
    // score and stops play once a move has reached the exit.
    void NewGameClicked();
    bool DirectionClicked(int direction);
    void BackClicked();
    void Finish();

    // The maze model's own operations.
    void NewGame();
    void RestoreMaze() { maze_ = backup_; }
    void FindStart();
    int ProbeMoves(int mask);
    void ExamineBlock(int a, int b);
    void MarkKernel(int kernel);
    void MarkHilite(int hilite);
    int MoveSegment(int direction);
    int Run(int direction);
    void PaintTrailBlock() { PaintBlock(red_); }
    void PaintPositionBlock() { PaintBlock(Pack(layout_, 0, 255, 0)); }
    void StepBack();

    bool Passable(int x, int y) const;
    std::uint16_t MazePixel(int x, int y) const;
    std::uint8_t MapIndex(int x, int y) const;

    int PosX() const { return posX_; }
    int PosY() const { return posY_; }
    int AllowedMoves() const { return allowedMoves_; }
    int GoalState() const { return goalState_; }
    bool FinishPending() const { return finishPending_; }
    bool Playing() const { return playing_; }
    int Score() const { return score_; }
    int MoveSteps() const { return moveSteps_; }
    int KernelsFound() const;
    int HilitesFound() const;
    bool KernelFound(int kernel) const { return kernelFound_[kernel]; }
    bool HiliteFound(int hilite) const { return hiliteFound_[hilite]; }
    std::size_t HistorySize() const { return history_.size(); }
    const std::vector<std::uint16_t>& WorkingMaze() const { return maze_; }
    const std::vector<std::uint16_t>& PristineMaze() const { return backup_; }
    // How often a move ended at a dead end and asked for the "nomove" sound.
    int DeadEndRuns() const { return deadEndRuns_; }

private:
    void PaintBlock(std::uint16_t value);
    void Paint(int x, int y, std::uint16_t value);
    void Step(int direction);
    void PaintLeadingEdge(int direction);
    // Copies a rectangle of a picture onto both maze copies, skipping the transparent colour.
    void CopyOntoMaze(const RgbPicture& source, int sx, int sy, int width, int height, int x, int y);

    PixelLayout layout_;
    int width_;
    int height_;
    std::vector<std::uint16_t> maze_;
    std::vector<std::uint16_t> backup_;
    std::vector<std::uint8_t> map_;
    RgbPicture hilite_;
    RgbPicture nohilite_;
    std::uint16_t black_;
    std::uint16_t red_;
    std::uint16_t blue_;

    int posX_ = 0;
    int posY_ = 0;
    int startX_ = -1;
    int startY_ = -1;
    std::vector<std::pair<int, int>> history_;  // direction, steps
    int allowedMoves_ = 15;
    std::array<bool, 10> hiliteFound_{};
    std::array<bool, 100> kernelFound_{};
    int moveSteps_ = 0;
    int goalState_ = 0;
    bool finishPending_ = false;
    bool playing_ = false;
    int score_ = 0;
    int deadEndRuns_ = 0;
};

// The hilite tiles: tile i is this rectangle of the hilite picture, shown at (x + 28, y + 28) of
// the maze.
struct TileRect {
    int x, y, width, height;
};
inline constexpr std::array<TileRect, 10> kHiliteTiles = {{{0, 0, 94, 94},
                                                           {108, 0, 64, 94},
                                                           {186, 0, 22, 94},
                                                           {222, 0, 64, 94},
                                                           {300, 0, 64, 94},
                                                           {0, 108, 73, 94},
                                                           {84, 108, 58, 94},
                                                           {156, 108, 64, 94},
                                                           {234, 108, 61, 94},
                                                           {306, 108, 58, 94}}};

}  // namespace assets
