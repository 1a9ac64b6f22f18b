#include "tools/assets/screen_views.h"

#include <algorithm>
#include <cstring>

#include "tools/assets/file_writers.h"
#include "maze/maze_play.h"
#include "tools/assets/screen_preview.h"

namespace assets {

namespace {

struct Moment {
    const char* lit = "";      // the button under the pointer
    const char* pressed = "";  // the button held down
    bool blinking = false;     // "newgame" shows its lit frame, as it does while waiting
    int character = 0;
    int best = 0;
};

void DrawButtons(ScreenPreview& preview, const GameArt& art, const Moment& moment) {
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const ButtonSpec& button = kButtons[i];
        int frame = 0;
        if (std::strcmp(button.name, moment.lit) == 0) frame = 1;
        if (std::strcmp(button.name, moment.pressed) == 0) frame = 2;
        if (moment.blinking && std::strcmp(button.name, "newgame") == 0) frame = std::min(frame + 1, 2);
        const int w = button.rect.width;
        preview.DrawPart(art.buttons[i], frame * w, 0, w, button.rect.height, button.rect.x, button.rect.y);
    }
}

RgbPicture Compose(const GameArt& art, const MazeRules& game, const Moment& moment) {
    ScreenPreview preview(art.background);
    DrawButtons(preview, art, moment);
    preview.DrawNumber(art.numbers, moment.best, kBestScoreRight, kDigitTop);
    preview.DrawNumber(art.numbers, game.Score(), kScoreRight, kDigitTop);
    const int c = moment.character;
    preview.DrawPart(art.characters, c * kCharacterWidth, 0, kCharacterWidth, kCharacterHeight, kCharacterX[c],
                     kCharacterStrip.y);
    preview.DrawMaze(game.WorkingMaze(), game.PosX(), game.PosY(), art.zoomBox, game.GoalState() == 0);
    if (game.GoalState() == 1) preview.Draw(art.wayOut, kZoomArea.x, kZoomArea.y);
    if (game.GoalState() == 2) preview.Draw(art.perfect, kZoomArea.x, kZoomArea.y);
    return preview.Screen();
}

RgbPicture ButtonSheet(const GameArt& art) {
    RgbPicture sheet(560, 360, Rgb{96, 72, 48});
    ScreenPreview preview(sheet);
    int y = 8;
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const int x = i < 5 ? 8 : 290;
        if (i == 5) y = 8;
        preview.Draw(art.buttons[i], x, y);
        y += kButtons[i].rect.height + 8;
    }
    return preview.Screen();
}

}  // namespace

void WriteScreenViews(const std::string& folder, const GameArt& art, const MazeLayout& maze, const MazeRules& fresh,
                      const std::vector<int>& shortRoute) {
    const std::vector<Click> perfect = ClicksAlong(maze.grid, maze.route);

    MazeRules waiting = fresh;
    waiting.NewGame();
    WriteFile(folder + "/waiting.png", Png(Compose(art, waiting, {"", "", true, 0, 0})));

    MazeRules playing = fresh;
    Play(playing, std::vector<Click>(perfect.begin(), perfect.begin() + static_cast<long>(perfect.size() / 3)));
    WriteFile(folder + "/playing.png", Png(Compose(art, playing, {"right", "", false, 1, 0})));

    MazeRules wayOut = fresh;
    Play(wayOut, ClicksAlong(maze.grid, shortRoute));
    WriteFile(folder + "/way-out.png", Png(Compose(art, wayOut, {"newgame", "", false, 2, 0})));

    MazeRules won = fresh;
    Play(won, perfect);
    WriteFile(folder + "/perfect.png", Png(Compose(art, won, {"", "", false, 3, wayOut.Score()})));

    ScreenPreview help(Compose(art, playing, {"help", "", false, 1, won.Score()}));
    help.Draw(art.howToPlay, (kScreenWidth - art.howToPlay.width) / 2, (kScreenHeight - art.howToPlay.height) / 2);
    WriteFile(folder + "/help.png", Png(help.Screen()));

    WriteFile(folder + "/buttons.png", Png(ButtonSheet(art)));
}

}  // namespace assets
