// The maze game: new games, the hall of fame and the game's work once per frame (buttons, moves,
// step back, the finish), over the maze model it owns.
#pragma once

#include <cstdint>

#include "game/game_controller.h"
#include "game/maze_model.h"
#include "game/notice_line.h"
#include "game/run_moves.h"
#include "game/score_keeper.h"
#include "platform/api/ddraw.h"

class Sprite;

class MazeGame : public GameController {
public:
    MazeGame();
    ~MazeGame() override;

    void NewGame() override;
    void Release() override;
    int Frame() override;
    // True when a frame without input would change nothing now: no click or key to act on, no
    // finish, notice, blink or character change due.
    bool NothingDue();
    // Reads the current player from the options file and shows the name in the caption; fills
    // `text` (256 bytes) with the player's text when it is given.
    void LoadPlayer(char* text);
    void SaveWinner();

    // The maze the game is played on.
    MazeModel& Model() { return model_; }
    // The hall of fame shown, and the line that tells the player of a file that could not be saved.
    const ScoreKeeper& Scores() const { return scores_; }
    const NoticeLine& Notice() const { return g_NoticeLine; }
    // The moves of the game since its new game, as the world hall of fame is sent them.
    const RunMoves& Moves() const { return moves_; }

    // Drawing.
    void DrawPlayArea(LPDIRECTDRAWSURFACE7 surface);
    void DrawScores(int force);
    void DrawNumber(Sprite* sprite, int right, int y, const char* text, LPDIRECTDRAWSURFACE7 surface);
    void AnimateCharacters();
    bool CharacterDue() const;

private:
    void Finish();
    int HandleMenu();
    void HandleNewGame();
    void HandleDirections();
    void BlinkNewGame();
    void OfferScore();
    void SendRun();

    ScoreKeeper scores_{"hiscore.dat"};
    MazeModel model_{*this};
    RunMoves moves_;

    // One game's score enters the hall of fame once, whether at the finish or at the next new game.
    bool scoreOffered_ = false;
};

extern MazeGame g_MazeGame;
