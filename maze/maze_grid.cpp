#include "maze/maze_grid.h"

#include <bit>

namespace assets {

int ReverseOf(int direction) {
    switch (direction) {
    case kLeft: return kRight;
    case kRight: return kLeft;
    case kUp: return kDown;
    case kDown: return kUp;
    default: return 0;
    }
}

int DirectionCount(int mask) { return std::popcount(static_cast<unsigned>(mask & 15)); }

bool CellGrid::InField(int column, int row) {
    if (column < 0 || row < 0 || column >= kColumns || row >= kRows) return false;
    const int x = kOrigin + kPitch * column;
    const int y = kOrigin + kPitch * row;
    constexpr int kGap = 2;
    return x + 2 + kGap <= kPanelX || x >= kPanelX + kPanelWidth + kGap || y + 2 + kGap <= kPanelY ||
           y >= kPanelY + kPanelHeight + kGap;
}

int CellGrid::Neighbour(int cell, int direction) {
    int column = Column(cell);
    int row = Row(cell);
    switch (direction) {
    case kLeft: --column; break;
    case kRight: ++column; break;
    case kUp: --row; break;
    case kDown: ++row; break;
    default: return -1;
    }
    return InField(column, row) ? Cell(column, row) : -1;
}

int CellGrid::DirectionTo(int from, int to) {
    for (int direction : kDirections)
        if (Neighbour(from, direction) == to) return direction;
    return 0;
}

bool CellGrid::Joined(int a, int b) const {
    const int direction = DirectionTo(a, b);
    return direction != 0 && Open(a, direction);
}

void CellGrid::Join(int a, int b) {
    const int direction = DirectionTo(a, b);
    if (direction == 0) return;
    ways_[a] |= direction;
    ways_[b] |= ReverseOf(direction);
}

void CellGrid::Part(int a, int b) {
    const int direction = DirectionTo(a, b);
    if (direction == 0) return;
    ways_[a] &= ~direction;
    ways_[b] &= ~ReverseOf(direction);
}

}  // namespace assets
