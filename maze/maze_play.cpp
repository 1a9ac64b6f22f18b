#include "maze/maze_play.h"

#include "maze/maze_figures.h"

namespace assets {

namespace {

// The place on the route where a move from place `from` stops: the next junction, or the end.
std::size_t NextStop(const CellGrid& grid, const std::vector<int>& route, std::size_t from) {
    std::size_t at = from + 1;
    while (at + 1 < route.size() && grid.Degree(route[at]) < 3) ++at;
    return at;
}

Click Move(const CellGrid& grid, const std::vector<int>& route, std::size_t from) {
    return {Click::Kind::Direction, CellGrid::DirectionTo(route[from], route[from + 1]),
            route[NextStop(grid, route, from)]};
}

std::string Where(std::size_t click, const char* what) { return "click " + std::to_string(click) + ": " + what; }

}  // namespace

std::vector<Click> ClicksAlong(const CellGrid& grid, const std::vector<int>& route) {
    return ClicksWithWrongTurns(grid, route, 0);
}

std::vector<Click> ClicksWithWrongTurns(const CellGrid& grid, const std::vector<int>& route, int wrongTurns) {
    std::vector<std::size_t> stops;
    for (std::size_t at = 0; at + 1 < route.size(); at = NextStop(grid, route, at)) stops.push_back(at);

    // Stops (after the first) with a wrong way that ends with no way on, and that way.
    const std::vector<int> places = RoutePlaces(route);
    std::vector<std::pair<std::size_t, int>> candidates;
    for (std::size_t s = 1; s < stops.size(); ++s) {
        const std::size_t at = stops[s];
        const int cell = route[at];
        const int used = CellGrid::DirectionTo(cell, route[at - 1]) | CellGrid::DirectionTo(cell, route[at + 1]);
        for (int direction : kDirections)
            if (!(used & direction) && grid.Open(cell, direction) &&
                RunsIntoDeadEnd(grid, places, static_cast<int>(at), cell, direction)) {
                candidates.emplace_back(at, direction);
                break;
            }
    }
    std::vector<std::pair<std::size_t, int>> chosen;
    const int count = std::min<int>(wrongTurns, static_cast<int>(candidates.size()));
    for (int k = 0; k < count; ++k) chosen.push_back(candidates[candidates.size() * (k + 1) / (count + 1)]);

    std::vector<Click> clicks{{Click::Kind::NewGame, 0, kAnywhere}};
    std::size_t next = 0;
    for (std::size_t at : stops) {
        if (next < chosen.size() && chosen[next].first == at) {
            clicks.push_back({Click::Kind::Direction, chosen[next].second, kDeadEnd});
            clicks.push_back({Click::Kind::Back, 0, kAnywhere});
            ++next;
        }
        clicks.push_back(Move(grid, route, at));
    }
    return clicks;
}

PlayOutcome Play(MazeRules& rules, const std::vector<Click>& clicks) {
    PlayOutcome outcome;
    std::vector<std::pair<int, int>> before;  // the block's place before each kept move
    auto fail = [&outcome](std::size_t click, const char* what) {
        if (outcome.followed) outcome.problem = Where(click, what);
        outcome.followed = false;
    };
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        const Click& click = clicks[i];
        rules.Finish();
        switch (click.kind) {
        case Click::Kind::NewGame:
            rules.NewGameClicked();
            before.clear();
            break;
        case Click::Kind::Direction:
            ++outcome.moves;
            before.emplace_back(rules.PosX(), rules.PosY());
            if (!rules.DirectionClicked(click.direction)) fail(i, "the direction is not allowed");
            if (click.endsAt >= 0 &&
                (rules.PosX() != CellGrid::PixelX(click.endsAt) || rules.PosY() != CellGrid::PixelY(click.endsAt)))
                fail(i, "the move ends elsewhere");
            if (click.endsAt == kDeadEnd && rules.AllowedMoves() != 0)
                fail(i, "the wrong turn does not end in a dead end");
            break;
        case Click::Kind::Back:
            ++outcome.backs;
            rules.BackClicked();
            if (before.empty()) break;
            if (rules.PosX() != before.back().first || rules.PosY() != before.back().second)
                fail(i, "back does not return to where the move began");
            before.pop_back();
            break;
        }
    }
    rules.Finish();
    outcome.score = rules.Score();
    outcome.goalState = rules.GoalState();
    outcome.kernels = rules.KernelsFound();
    outcome.hilites = rules.HilitesFound();
    outcome.stillPlaying = rules.Playing();
    return outcome;
}

int JunctionsWithDeadEndWay(const MazeRules& fresh, const CellGrid& grid, const std::vector<int>& route) {
    MazeRules game = fresh;
    game.NewGameClicked();
    int count = 0;
    bool first = true;
    for (const Click& click : ClicksAlong(grid, route)) {
        if (click.kind != Click::Kind::Direction) continue;
        const int ways = game.AllowedMoves() & ~click.direction;
        if (!first && ways != 0) {
            for (int direction : kDirections) {
                if (!(ways & direction)) continue;
                MazeRules trial = game;
                trial.DirectionClicked(direction);
                if (trial.AllowedMoves() == 0) {
                    ++count;
                    break;
                }
            }
        }
        first = false;
        game.DirectionClicked(click.direction);
    }
    return count;
}

}  // namespace assets
