// What the game draws: the scores with their overlapping digits and the zoom window's square.
#include <gtest/gtest.h>

#include "game/maze_fixture.h"
#include "game/maze_screen.h"
#include "base/app_globals.h"
#include "surface/surface.h"

namespace maze_test {
namespace {

int Back(int x, int y) { return ReadPixel(g_lpBackSurface, x, y); }

TEST_F(MazeFixture, DigitsOverlapByTwoPixelsAndEndTwoPastTheRightEdge) {
    WriteDigits(12, 18);
    ASSERT_TRUE(Load({"####", "#SS#", "#SS#", "####"}));
    FillSurface(g_lpBackSurface, 0);
    game.DrawNumber(g_MazeScreen.DigitSprite(), 107, 18, "105", g_lpBackSurface);
    // 12-pixel digits advance by 10: "105" starts 30 left of 107.
    EXPECT_EQ(Back(76, 20), 0);
    EXPECT_EQ(Back(77, 20), DigitColour(1));
    EXPECT_EQ(Back(87, 20), DigitColour(0)) << "each digit covers the last two columns of the one before";
    EXPECT_EQ(Back(97, 20), DigitColour(5));
    EXPECT_EQ(Back(108, 20), DigitColour(5));
    EXPECT_EQ(Back(109, 20), 0);
    EXPECT_EQ(Back(100, 17), 0);
    EXPECT_EQ(Back(100, 35), DigitColour(5));

    FillSurface(g_lpBackSurface, 0);
    game.DrawNumber(g_MazeScreen.DigitSprite(), 107, 18, "0", g_lpBackSurface);
    EXPECT_EQ(Back(96, 20), 0) << "a score of 0 is one digit";
    EXPECT_EQ(Back(97, 20), DigitColour(0));
}

// A 420 x 420 field of corridor with single wall pixels outside the hilite panel (which covers
// (28, 28)-(392, 230) of the maze).
std::vector<std::string> MarkedField() {
    std::vector<std::string> rows(420, std::string(420, '.'));
    rows[0][0] = rows[419][419] = rows[300][410] = rows[300][300] = '#';
    rows[419][0] = 'S';
    return rows;
}

TEST_F(MazeFixture, TheZoomWindowShowsAWholeSquareEvenAtTheCorners) {
    ASSERT_TRUE(Load(MarkedField()));
    const int corridor = Maze(5, 5);
    struct Case {
        int posX, posY;
        int markX, markY;  // where the marked pixel shows: the square's corner is four times enlarged
    } cases[] = {
        {0, 0, 544, 69},                        // square (0, 0)-(58, 58)
        {419, 419, 544 + 57 * 4, 69 + 57 * 4},  // square (362, 362)-(420, 420)
        {410, 300, 544 + 48 * 4, 69 + 28 * 4},  // pushed left off the right edge: (362, 272)
        {300, 300, 544 + 28 * 4, 69 + 28 * 4},  // the player's block at the centre
    };
    for (const Case& c : cases) {
        model.SetPosition(c.posX, c.posY);
        FillSurface(g_lpBackSurface, 0xFFFF);
        game.DrawPlayArea(g_lpBackSurface);
        EXPECT_EQ(Back(c.markX, c.markY), 0) << c.posX << "," << c.posY;
        EXPECT_EQ(Back(c.markX + 3, c.markY + 3), 0);
        EXPECT_EQ(Back(544 + 20, 69 + 20), corridor) << "the square's pixel (5, 5)";
        EXPECT_EQ(Back(543, 69), 0xFFFF) << "nothing outside the window";
        EXPECT_EQ(Back(776, 300), 0xFFFF);
    }
}

}  // namespace
}  // namespace maze_test
