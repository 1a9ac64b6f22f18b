// The hall of fame as the game shows it and as it stores it. Games side by side in one folder all
// keep their scores: a save enters the score into the table as it is on disk at that moment, under
// an exclusive lock, and writes that. A score that could not be stored stays in the table shown
// and goes with the next save that works. A table file too damaged to read is kept aside, never
// overwritten; one that is there but cannot be read is left alone, and the scores wait.
#pragma once

#include <string>
#include <vector>

#include "game/hall_of_fame.h"

class ScoreKeeper {
public:
    enum class Offered { kNotEntered, kStored, kKept };

    explicit ScoreKeeper(std::string file) : file_(std::move(file)) {}

    // The stored table read afresh, with the scores still waiting to be stored entered into it.
    void Reload();
    // kNotEntered when the score does not enter the table shown; kKept when it does but could not
    // be stored (it stays waiting); kStored when it is on disk with every score that was waiting.
    Offered Offer(const char* text, int score);
    const HallOfFame& Shown() const { return shown_; }
    const std::string& File() const { return file_; }
    int Waiting() const { return static_cast<int>(waiting_.size()); }
    void Release();

private:
    struct Entry {
        std::string text;
        int score;
    };

    bool StoreWaiting();
    bool KeepDamaged();

    std::string file_;
    HallOfFame shown_;
    std::vector<Entry> waiting_;
};
