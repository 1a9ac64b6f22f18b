// The base of a game's logic object: play state, score, a per-player best score and five general
// properties, behind virtual operations that a game replaces one by one.
#pragma once

#include <cstdint>

// The play states: no game running (the "newgame" button blinks), or a game being played.
enum PlayState : int { kWaiting = 0, kPlaying = 1 };

class GameController {
public:
    GameController() = default;
    virtual ~GameController() = default;

    virtual void NewGame() {}
    virtual void Release() {}
    // The per-frame work; kFrameStop (screen/screen.h) asks the program to stop.
    virtual int Frame() { return -1; }
    virtual int GetPlayState() { return state_; }
    virtual void SetPlayState(int state) { state_ = state; }
    virtual int SetScore(int score) { return score_ = score; }
    virtual int GetScore() { return score_; }
    virtual void SetPlayerId(int id) { playerId_ = id; }
    virtual int GetPlayerId() { return playerId_; }

    // Kept for a complete interface; unused by this game.
    virtual void NoOpA() {}
    virtual void NoOpB() {}
    // The best-score table: ten scores by player in "hiscore.dat".
    virtual int LoadBest();
    virtual void SaveBest();
    virtual void SetBest(int best) { best_ = best; }
    virtual void SetExtra1(int value) { extra1_ = value; }
    virtual int GetExtra1() { return extra1_; }
    virtual void SetExtra2(int value) { extra2_ = value; }
    virtual int GetExtra2() { return extra2_; }
    virtual void SetExtra3(int value) { extra3_ = value; }
    virtual int GetExtra3() { return extra3_; }
    virtual void SetExtra4(int value) { extra4_ = value; }
    virtual int GetExtra4() { return extra4_; }
    virtual void SetExtra5(int value) { extra5_ = value; }
    virtual int GetExtra5() { return extra5_; }

protected:
    // A game that keeps another table in "hiscore.dat" sets this: the best-score table then
    // neither reads nor writes that file.
    bool bestFileTaken_ = false;

private:
    int PlayerSlot() const { return playerId_ >= 0 && playerId_ < 10 ? playerId_ : 0; }

    std::int32_t state_ = 0;
    std::int32_t score_ = 0;
    std::int32_t best_ = 0;
    std::int32_t playerId_ = 0;
    std::int32_t bestByPlayer_[10] = {};
    std::int32_t extra1_ = 0;
    std::int32_t extra2_ = 0;
    std::int32_t extra3_ = 0;
    std::int32_t extra4_ = 0;
    std::int32_t extra5_ = 0;
};
