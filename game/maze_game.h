// The maze game: the maze model (the picture itself, read and painted pixel by pixel), the move
// history, scoring, the hall of fame, and the game's work once per frame.
#pragma once

#include <cstdint>

#include "game/game_controller.h"
#include "game/hall_of_fame.h"
#include "platform/ddraw.h"
#include "screen/object_list.h"

class Sprite;

// Directions are bits, combined into masks.
enum Direction : int { kLeft = 1, kRight = 2, kUp = 4, kDown = 8 };
inline constexpr int kAllDirections = kLeft | kRight | kUp | kDown;

// How far a game has come: the exit not reached yet, reached, or reached with every item collected.
enum Goal : int { kGoalNone = 0, kGoalReached = 1, kGoalPerfect = 2 };

struct MoveRecord {
    std::int32_t direction;
    std::int32_t steps;
};

class MazeGame : public GameController {
public:
    MazeGame();
    ~MazeGame() override;

    void NewGame() override;
    void Release() override;
    int Frame() override;
    // Reads the current player from the options file and shows the name in the caption; fills
    // `text` (256 bytes) with the player's text when it is given.
    void LoadPlayer(char* text);

    // The maze model.
    void FindStart();
    int ProbeMoves(int mask);
    void ExamineBlock(int x, int y);
    int MoveSegment(int direction);
    int Run(int direction);
    void MarkKernel(int kernel);
    void MarkHilite(int hilite);
    void PaintTrailBlock();
    void PaintPositionBlock();
    void AddHistory(int direction, int steps);
    void StepBack();
    void SaveWinner();

    // Drawing.
    void DrawPlayArea(LPDIRECTDRAWSURFACE7 surface);
    void DrawScores(int force);
    void DrawNumber(Sprite* sprite, int right, int y, const char* text, LPDIRECTDRAWSURFACE7 surface);
    void AnimateCharacters();

    static constexpr int kHilites = 10;
    static constexpr int kKernels = 100;

    HallOfFame hallOfFame;
    std::int32_t posX = 0;
    std::int32_t posY = 0;
    std::int32_t startX = -1;
    std::int32_t startY = -1;
    ObjectList<MoveRecord>* history = nullptr;
    std::int32_t allowedMoves = kAllDirections;
    std::int32_t hiliteFound[kHilites] = {};
    std::int32_t kernelFound[kKernels] = {};
    std::int32_t moveSteps = 0;
    std::int32_t bellEnabled = 0;
    std::int32_t goalState = 0;

private:
    void Finish();
    int HandleMenu();
    void HandleNewGame();
    void HandleDirections();
    void BlinkNewGame();
    void OfferScore();
    bool AllItemsFound() const;
    void Step(int direction);
    void PaintLeadingEdge(int direction);
    void PaintBlock(int colour);

    // The pictures and colours a move works with. A move reads thousands of pixels; looking the
    // pictures up by name and packing the colours for each one cost more than the reads, so the
    // outermost Run or StepBack does it once and the operations inside share the result.
    struct MoveView;
    class MoveScope;
    MoveView View() const;
    const MoveView* moveView_ = nullptr;

    // One game's score enters the hall of fame once, whether at the finish or at the next new game.
    bool scoreOffered_ = false;
};

// Set when a move has passed the exit; the next frame finishes the game.
extern std::int32_t g_finishPending;

extern MazeGame g_MazeGame;
