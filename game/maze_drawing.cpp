// The game's drawing: the play area (maze, zoom window, end pictures), the two scores and the
// character strip. The maze, the zoom window and the characters go straight onto the back surface
// each frame over areas the compositor wipes; the scores are drawn into the compositor's
// background and reach the screen through it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/maze_game.h"
#include "game/maze_screen.h"
#include "canvas/compositor.h"
#include "canvas/screen_image.h"
#include "screen/sprite.h"
#include "services/tick_timer.h"

namespace {

constexpr RECT kMazeArea{116, 61, 116 + 420, 61 + 420};
constexpr RECT kZoomArea{544, 69, 544 + 232, 69 + 232};
// The zoom window shows a 58x58 square of the maze around the player, four times enlarged.
constexpr int kZoomSource = 58;
constexpr int kCharacterX[4] = {52, 229, 406, 583};
constexpr int kCharacterY = 478;

int g_lastShownScore = -1;
int g_lastCharacterTime = 0;
int g_characterShown = 0;

void RestoreArea(const RECT& r) { g_Compositor.RestoreRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

// The square of the maze with the player's 2x2 block at its centre, kept inside the maze; the
// edges are tested in this order.
RECT ZoomSource(int posX, int posY, int width, int height) {
    RECT s{posX - 28, posY - 28, posX - 28 + kZoomSource, posY - 28 + kZoomSource};
    if (s.left < 0) s = RECT{0, s.top, kZoomSource, s.bottom};
    if (s.top < 0) s = RECT{s.left, 0, s.right, kZoomSource};
    if (s.right > width) s = RECT{width - kZoomSource, s.top, width, s.bottom};
    if (s.bottom > height) s = RECT{s.left, height - kZoomSource, s.right, height};
    return s;
}

}  // namespace

void MazeGame::DrawPlayArea(LPDIRECTDRAWSURFACE7 surface) {
    RestoreArea(kMazeArea);
    RestoreArea(kZoomArea);
    ScreenImage* maze = g_MazeScreen.FindImage("maze");
    if (maze == nullptr) return;
    maze->Draw(surface, kMazeArea.left, kMazeArea.top);
    RECT source = ZoomSource(model_.PosX(), model_.PosY(), maze->width, maze->height);
    RECT target = kZoomArea;
    if (surface != nullptr && maze->surface != nullptr)
        surface->Blt(&target, maze->surface, &source, DDBLT_KEYSRC | DDBLT_WAIT, nullptr);
    const int goal = model_.GoalState();
    if (goal == kGoalNone)
        g_MazeScreen.DrawImageAt(surface, "zoombox", source.left + kMazeArea.left, source.top + kMazeArea.top);
    else
        g_MazeScreen.DrawImageAt(surface, goal == kGoalPerfect ? "ultimate" : "corngrats", kZoomArea.left,
                                 kZoomArea.top);
}

void MazeGame::DrawScores(int force) {
    if (GetScore() == g_lastShownScore && force == 0) return;
    Sprite* digits = g_MazeScreen.DigitSprite();
    LPDIRECTDRAWSURFACE7 layer = g_Compositor.GetBackground();
    char text[16];
    g_Compositor.RestoreRect(12, 12, 100, 25);
    std::snprintf(text, sizeof text, "%d", scores_.Shown().TopScore());
    DrawNumber(digits, 107, 18, text, layer);
    g_Compositor.RestoreRect(686, 12, 100, 25);
    std::snprintf(text, sizeof text, "%d", GetScore());
    DrawNumber(digits, 781, 18, text, layer);
    g_lastShownScore = GetScore();
}

void MazeGame::DrawNumber(Sprite* sprite, int right, int y, const char* text, LPDIRECTDRAWSURFACE7 surface) {
    if (sprite == nullptr || text == nullptr) return;
    // Digits overlap by two pixels; the last one ends two pixels right of `right`.
    const int advance = sprite->Width() - 2;
    int x = right - advance * static_cast<int>(std::strlen(text));
    for (const char* c = text; *c != '\0'; ++c, x += advance) {
        if (*c < '0' || *c > '9') continue;
        sprite->SetFrame(*c - '0');
        sprite->SetPosition(x, y);
        sprite->Draw(surface);
    }
}

bool MazeGame::CharacterDue() const { return TicksSince(g_lastCharacterTime) > 2000; }

void MazeGame::AnimateCharacters() {
    Sprite* characters = g_MazeScreen.CharacterSprite();
    if (characters == nullptr) return;
    if (CharacterDue()) {
        g_lastCharacterTime = GetTickClock();
        const int i = std::rand() % 4;
        characters->SetFrame(i);
        characters->SetPosition(kCharacterX[i] - 3, kCharacterY);
        characters->SetMarkDirty(0);
        g_characterShown = 1;
    }
    if (g_characterShown) {
        g_Compositor.RestoreRect(0, 478, 794, 97);
        characters->Draw(g_Compositor.GetBackSurface());
    }
}
