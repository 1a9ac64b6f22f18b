// The hall of fame as the launcher shows it: the game's twenty records, read with the game's own
// reader, and the length of the last perfect route.
#pragma once

#include <string>
#include <vector>

struct FameRow {
    int rank;          // 1 for the best
    std::string name;  // the first field of the stored player text
    int score;
    bool empty;  // a record no game has filled yet
};

struct FameTable {
    std::vector<FameRow> rows;  // twenty, best first; all empty when the file is missing or damaged
    int perfectMoves = -1;      // moves of the route in the winner file; -1 without one
};

FameTable ReadFameTable(const char* hallOfFameFile, const char* winnerFile);
