// The moves of one game as the world hall of fame's server plays them again: from a new game to
// the moment its score is offered, a letter for each move that moved the block (L, R, U, D) and
// "B" for each step back.
#pragma once

#include <string>

#include "game/maze_model.h"

class RunMoves {
public:
    void Clear() { letters_.clear(); }
    void Moved(int direction) {
        switch (direction) {
        case kLeft: letters_ += 'L'; break;
        case kRight: letters_ += 'R'; break;
        case kUp: letters_ += 'U'; break;
        case kDown: letters_ += 'D'; break;
        default: break;
        }
    }
    void SteppedBack() { letters_ += 'B'; }
    const std::string& Letters() const { return letters_; }

private:
    std::string letters_;
};
