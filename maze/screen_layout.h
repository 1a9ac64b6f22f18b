// Where things lie on the game's 800x600 screen, and the sizes of the pictures the generator
// chooses. The positions are the game's; the sizes are ours, and every button fits inside the
// screen at its position, as the game draws buttons unclipped.
#pragma once

#include <array>
#include <utility>

namespace assets {

struct Rect {
    int x, y, width, height;
    int CentreX() const { return x + width / 2; }
    int CentreY() const { return y + height / 2; }
};

inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 600;
inline constexpr Rect kMazeArea{116, 61, 420, 420};
inline constexpr Rect kZoomArea{544, 69, 232, 232};
inline constexpr Rect kBestScoreBox{12, 12, 100, 25};
inline constexpr Rect kScoreBox{686, 12, 100, 25};
inline constexpr Rect kCharacterStrip{0, 478, 794, 97};
inline constexpr std::array<int, 4> kCharacterX = {49, 226, 403, 580};
inline constexpr int kDigitTop = 18;
inline constexpr int kBestScoreRight = 107;
inline constexpr int kScoreRight = 781;

// The exit lies on the maze's bottom edge, and a sign below it in the character strip; the sign
// stands where no character's figure covers it: within one of these stretches of screen columns.
inline constexpr std::array<std::pair<int, int>, 2> kClearOfCharacters = {{{193, 244}, {368, 429}}};
inline constexpr int kExitSignHalfWidth = 21;

inline constexpr int kDigitWidth = 15;  // a digit advances 2 pixels less
inline constexpr int kDigitHeight = 18;
inline constexpr int kCharacterWidth = 160;
inline constexpr int kCharacterHeight = 97;
inline constexpr int kEndPictureSide = 232;
inline constexpr int kZoomSource = 58;  // maze pixels across the zoom window
inline constexpr int kHelpWidth = 560;
inline constexpr int kHelpHeight = 420;

struct ButtonSpec {
    const char* name;  // the game's button name
    const char* file;
    Rect rect;
};

inline constexpr std::array<ButtonSpec, 10> kButtons = {{
    {"brindle", "brindle.bmp", {27, 163, 82, 46}},
    {"newgame", "newgame.bmp", {27, 215, 82, 46}},
    {"help", "help.bmp", {27, 267, 82, 46}},
    {"menu", "menu.bmp", {27, 319, 82, 46}},
    {"exit", "exit.bmp", {27, 371, 82, 46}},
    {"left", "left.bmp", {583, 310, 84, 52}},
    {"right", "right.bmp", {672, 310, 84, 52}},
    {"up", "up.bmp", {583, 368, 84, 52}},
    {"down", "down.bmp", {672, 368, 84, 52}},
    {"back", "reverse.bmp", {583, 424, 173, 50}},
}};

const ButtonSpec& ButtonNamed(const char* name);

}  // namespace assets
