// The maze game on small hand-made maze pictures. A picture is drawn as text, one character a
// pixel; the fixture writes it as the 8-bit "maze02.bmp" (with the hilite pictures and the
// required buttons beside it) in a private folder, brings up the headless display and enters the
// maze screen there.
//
// Legend: '#' wall (black), '.' corridor, 'S' the red start, 'E' the exit (index 26), '0'..'9'
// kernels 0..9 (index 32 + n), 'a'..'j' hilites 0..9 (index 16 + n), 'B' pure blue, 'F' the
// colour that packs to the blocking value 0xFE45, 'K' kernel 99.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/maze_game.h"

namespace maze_test {

// Pixel values of the 5-6-5 working copy.
inline constexpr int kTrail = 0xF800;
inline constexpr int kPlayer = 0x07E0;

class MazeFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the picture (every row the same length) and enters the maze screen on it; the game
    // starts waiting, as after start-up. Returns false when the screen did not become ready.
    bool Load(const std::vector<std::string>& rows);
    // "numbers.bmp": ten digits side by side, each `width` wide and solid in DigitColour(d).
    void WriteDigits(int width, int height);
    static int DigitColour(int digit);
    // The working copy's pixel.
    static int Maze(int x, int y);
    static int Backup(int x, int y);
    // The sound effects asked for since the last call, in order.
    std::vector<std::string> TakeSounds();

    MazeGame& game = g_MazeGame;
    MazeModel& model = g_MazeGame.Model();
    std::string folder_;

private:
    std::string previousFolder_;
    HWND window_ = nullptr;
};

}  // namespace maze_test
