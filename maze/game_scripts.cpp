#include "maze/game_scripts.h"

#include <sstream>
#include <utility>
#include <vector>

#include "maze/maze_grid.h"
#include "maze/screen_layout.h"

namespace assets {

namespace {

const char* ButtonOf(const Click& click) {
    switch (click.kind) {
    case Click::Kind::NewGame: return "newgame";
    case Click::Kind::Back: return "back";
    case Click::Kind::Direction: break;
    }
    switch (click.direction) {
    case kLeft: return "left";
    case kRight: return "right";
    case kUp: return "up";
    default: return "down";
    }
}

bool Inside(const Rect& rect, int x, int y) {
    return x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
}

}  // namespace

std::string GameScript(const std::string& name, const std::string& about, const std::vector<Click>& clicks,
                       const MazeRules& fresh) {
    std::ostringstream out;
    out << "# " << about << "\n# Written by stalkway-assets with the maze it made; run it in the game's data folder.\n";
    // Start-up fades the music in over 300 ms (30 frames) before the first picture; wait past it.
    out << "frames 50\nshot " << name << "-before\n";
    MazeRules game = fresh;
    int moves = 0;
    int wrongTurns = 0;
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        const Click& click = clicks[i];
        const int lettersBefore = game.HilitesFound();
        game.Finish();
        switch (click.kind) {
        case Click::Kind::NewGame: game.NewGameClicked(); break;
        case Click::Kind::Direction: game.DirectionClicked(click.direction); break;
        case Click::Kind::Back: game.BackClicked(); break;
        }
        const ButtonSpec& button = ButtonNamed(ButtonOf(click));
        if (click.kind == Click::Kind::Direction) out << "# move " << ++moves << ": " << button.name << '\n';
        out << "click " << button.rect.CentreX() << ' ' << button.rect.CentreY() << '\n';
        std::vector<std::string> shots;
        if (click.kind == Click::Kind::NewGame) shots.push_back("new-game");
        if (click.kind == Click::Kind::Direction && click.endsAt == kDeadEnd)
            shots.push_back("dead-end-" + std::to_string(++wrongTurns));
        if (click.kind == Click::Kind::Back) shots.push_back("back-" + std::to_string(wrongTurns));
        const int letters = game.HilitesFound();
        if (letters != lettersBefore && (letters == 1 || letters == 5))
            shots.push_back("letters-" + std::to_string(letters));
        // A move shows on the screen two frames after the frame that made it.
        if (!shots.empty()) out << "frames 2\n";
        for (const std::string& shot : shots) out << "shot " << name << '-' << shot << '\n';
    }
    // The game finishes in the frame after the move that reached the exit, and shows it later.
    out << "frames 5\nshot " << name << "-finished\n";
    out << "frames 5\n";
    return out.str();
}

std::string RunMovesOfScript(const std::string& script) {
    static constexpr std::pair<const char*, char> kPad[] = {
        {"left", 'L'}, {"right", 'R'}, {"up", 'U'}, {"down", 'D'}, {"back", 'B'}};
    std::istringstream lines(script);
    std::string word, moves;
    int x = 0, y = 0;
    while (lines >> word) {
        if (word != "click" || !(lines >> x >> y)) continue;
        for (const auto& [button, letter] : kPad)
            if (Inside(ButtonNamed(button).rect, x, y)) moves += letter;
    }
    return moves;
}

}  // namespace assets
