// The maze as the generator plans it: cells on a grid, joined by passages. Cell (i, j) is the 2x2
// pixel block at (kOrigin + kPitch * i, kOrigin + kPitch * j) of the 420x420 maze picture; a
// passage is the 2-pixel-wide strip between two neighbouring cells. Walls are 4 pixels thick, so
// that no probe or examination of the game's movement rules reaches through one.
#pragma once

#include <array>
#include <cstdint>

namespace assets {

// The game's direction bits.
inline constexpr int kLeft = 1;
inline constexpr int kRight = 2;
inline constexpr int kUp = 4;
inline constexpr int kDown = 8;
inline constexpr std::array<int, 4> kDirections = {kLeft, kRight, kUp, kDown};

int ReverseOf(int direction);
int DirectionCount(int mask);

// The maze picture and the hilite panel inside it.
inline constexpr int kMazeSide = 420;
inline constexpr int kPanelX = 28;
inline constexpr int kPanelY = 28;
inline constexpr int kPanelWidth = 364;
inline constexpr int kPanelHeight = 202;

class CellGrid {
public:
    static constexpr int kColumns = 70;
    static constexpr int kRows = 70;
    static constexpr int kCells = kColumns * kRows;
    static constexpr int kPitch = 6;
    static constexpr int kOrigin = 2;

    static int Cell(int column, int row) { return row * kColumns + column; }
    static int Column(int cell) { return cell % kColumns; }
    static int Row(int cell) { return cell / kColumns; }
    static int PixelX(int cell) { return kOrigin + kPitch * Column(cell); }
    static int PixelY(int cell) { return kOrigin + kPitch * Row(cell); }
    // Cells that keep a wall of at least 2 pixels from the hilite panel.
    static bool InField(int column, int row);
    static bool InField(int cell) { return InField(Column(cell), Row(cell)); }
    // The field cell beside `cell` in `direction`, or -1.
    static int Neighbour(int cell, int direction);
    // The direction from a cell to a neighbouring one, or 0.
    static int DirectionTo(int from, int to);

    bool Open(int cell, int direction) const { return (ways_[cell] & direction) != 0; }
    int Ways(int cell) const { return ways_[cell]; }
    int Degree(int cell) const { return DirectionCount(ways_[cell]); }
    bool Joined(int a, int b) const;
    void Join(int a, int b);
    void Part(int a, int b);

private:
    std::array<std::uint8_t, kCells> ways_{};
};

}  // namespace assets
