#include "maze/maze_verdict.h"

#include <sstream>

#include "maze/maze_check.h"

namespace assets {

namespace {

void Expect(bool holds, const std::string& what, std::vector<std::string>& problems) {
    if (!holds) problems.push_back(what);
}

void JudgeGames(const ChosenMaze& maze, const MazeRules& fresh, const char* layout, MazeVerdict& verdict) {
    const std::string on = std::string(" (") + layout + ")";
    MazeRules perfectGame = fresh;
    const PlayOutcome perfect = Play(perfectGame, verdict.perfectClicks);
    Expect(perfect.followed, "the perfect route strays: " + perfect.problem + on, verdict.problems);
    Expect(perfect.goalState == 2 && perfect.kernels == 100 && perfect.hilites == 10 && !perfect.stillPlaying,
           "the perfect route does not finish a perfect game" + on, verdict.problems);
    MazeRules shortGame = fresh;
    const PlayOutcome imperfect = Play(shortGame, verdict.imperfectClicks);
    Expect(imperfect.followed, "the short game strays: " + imperfect.problem + on, verdict.problems);
    Expect(imperfect.goalState == 1 && !imperfect.stillPlaying, "the short game does not finish" + on,
           verdict.problems);
    const int junctions = JunctionsWithDeadEndWay(fresh, maze.layout.grid, maze.layout.route);
    Expect(junctions == maze.figures.routeJunctionsWithDeadEnd,
           "the game's moves find other dead ends than the plan" + on, verdict.problems);
    verdict.perfect = perfect;
    verdict.imperfect = imperfect;
    verdict.junctionsWithDeadEnd = junctions;
}

}  // namespace

MazeVerdict JudgeMaze(const ChosenMaze& maze, const IndexedPicture& picture, const RgbPicture& hilite,
                      const RgbPicture& nohilite) {
    MazeVerdict verdict;
    verdict.problems = CheckMazePicture(picture, hilite, nohilite);
    verdict.perfectClicks = ClicksAlong(maze.layout.grid, maze.layout.route);
    verdict.imperfectClicks = ClicksWithWrongTurns(maze.layout.grid, maze.figures.shortestRoute, kWrongTurns);
    Expect(MeetsTheBar(maze.figures), "the maze is below the bar", verdict.problems);
    JudgeGames(maze, MazeRules(picture, hilite, nohilite, PixelLayout::Rgb555), "5-5-5", verdict);
    JudgeGames(maze, MazeRules(picture, hilite, nohilite, PixelLayout::Rgb565), "5-6-5", verdict);
    Expect(verdict.perfect.moves == maze.figures.perfectMoves, "the perfect game's moves differ from the plan",
           verdict.problems);
    Expect(verdict.imperfect.backs == kWrongTurns, "the short game lacks its wrong turns", verdict.problems);
    return verdict;
}

std::string Describe(const ChosenMaze& maze, const MazeVerdict& verdict) {
    const MazeFigures& f = maze.figures;
    std::ostringstream out;
    out << "Maze from seed " << maze.plan.seed << ": " << f.cells << " cells, " << f.junctions << " junctions, "
        << f.deadEnds << " dead ends, " << f.loops << " loops.\n";
    out << "Perfect route: " << maze.layout.route.size() << " cells, " << f.perfectMoves << " moves, score "
        << verdict.perfect.score << "; a wrong way into a dead end at " << f.routeJunctionsWithDeadEnd << " of its "
        << f.routeJunctions << " junctions ("
        << (100 * f.routeJunctionsWithDeadEnd + f.routeJunctions / 2) / f.routeJunctions << "%).\n";
    out << "Shortest route to the exit: " << f.shortestMoves << " moves (" << f.shortestRoute.size() << " cells).\n";
    out << "Short game with " << kWrongTurns << " wrong turns: " << verdict.imperfect.moves << " moves, "
        << verdict.imperfect.backs << " backs, " << verdict.imperfect.kernels << " kernels, "
        << verdict.imperfect.hilites << " letters, score " << verdict.imperfect.score << ".\n";
    out << "Items: 100 kernels and 10 letters in " << f.regionsWithItems << " of the field's " << f.regions
        << " 7x7-cell squares.\n";
    return out.str();
}

}  // namespace assets
