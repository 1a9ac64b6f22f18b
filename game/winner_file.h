// "winner.dat": the route of a game won with every item, as the directions asked for in order
// (1 left, 2 right, 4 up, 8 down), after the number of moves and one random value.
#pragma once

#include <cstdint>
#include <vector>

std::vector<unsigned char> WinnerFileBytes(const std::vector<std::int32_t>& directions, std::int32_t randomValue);
bool SaveWinnerFile(const char* name, const std::vector<std::int32_t>& directions, std::int32_t randomValue);
// The number of moves of the route in the file; -1 when it is missing, or too short or too long
// for the count it gives.
int ReadWinnerMoves(const char* name);
