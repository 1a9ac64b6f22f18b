// Taking back a move from a history of 500 on the generated maze: the maze is restored and the
// 499 kept moves are replayed, all within one frame.
//
// The history is the perfect route of perfect.script (every move of it, read from its "# move N:
// DIRECTION" lines), which walks half the maze; a trail blocks the way back, so no longer route
// exists. The route ends where no way is open, and the records after it ask for the way back from
// there: they step nothing but still replay, as records that name a blocked way do in play.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/maze_game.h"
#include "game/maze_screen.h"
#include "platform/headless/headless.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "base/app_globals.h"
#include "services/tick_timer.h"

namespace {

constexpr int kHistory = 500;

// The directions of the perfect route, in order; empty when the script cannot be read.
std::vector<int> PerfectRoute() {
    std::ifstream script(std::string(STALKWAY_BINARY_DIR) + "/game/scripts/perfect.script");
    std::vector<int> route;
    std::string line;
    while (std::getline(script, line)) {
        if (line.rfind("# move ", 0) != 0) continue;
        const std::string name = line.substr(line.find(':') + 2);
        const int direction = name == "left" ? kLeft : name == "right" ? kRight : name == "up" ? kUp : kDown;
        route.push_back(direction);
    }
    return route;
}

int Reverse(int direction) {
    return direction == kLeft ? kRight : direction == kRight ? kLeft : direction == kUp ? kDown : kUp;
}

// The headless display and the maze screen entered in the generated data folder.
class MazeOnDisplay {
public:
    MazeOnDisplay() : previous_(std::filesystem::current_path()) {
        platform::headless::Reset();
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "Step Back Bench";
        RegisterClassA(&wc);
        g_hWnd = CreateWindowExA(0, "Step Back Bench", "", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
        QZInitDirectX(g_hWnd, 800, 600);
        LPDIRECTDRAWSURFACE7 primary = nullptr;
        QZGetDDInfo(&primary, &g_lpBackSurface);
        g_lpDD = QZGetLPDD();
        StartTickTimer();
        std::filesystem::current_path(std::string(STALKWAY_BINARY_DIR) + "/game/Stalkway");
        g_MazeScreen.Enter(g_lpDD, g_lpBackSurface);
    }
    ~MazeOnDisplay() {
        g_MazeScreen.Leave();
        StopTickTimer();
        QZFreeDirectX();
        DestroyWindow(g_hWnd);
        g_lpBackSurface = nullptr;
        g_hWnd = nullptr;
        std::filesystem::current_path(previous_);
    }
    bool Ready() const { return g_MazeScreen.Ready(); }

private:
    std::filesystem::path previous_;
};

// Plays the route as the game does (each move only when allowed) and pads the history to
// kHistory with records that step nothing. Returns the problem, or an empty text.
std::string BuildHistory(MazeModel& model, const std::vector<int>& route, int* padding) {
    if (route.empty()) return "perfect.script has no moves";
    for (int direction : route) {
        if ((model.AllowedMoves() & direction) == 0) return "the route asks for a move the maze does not allow";
        model.Run(direction);
        model.AddHistory(direction, model.MoveSteps());
    }
    if (model.AllowedMoves() != 0) return "the route does not end where no way is open";
    *padding = Reverse(route.back());
    while (model.HistoryCount() < kHistory) model.AddHistory(*padding, 0);
    return {};
}

void BM_StepBack500(benchmark::State& state) {
    MazeOnDisplay display;
    if (!display.Ready()) {
        state.SkipWithError("the maze screen did not start in the generated data folder");
        return;
    }
    MazeGame& game = g_MazeGame;
    MazeModel& model = game.Model();
    model.SetBellEnabled(0);
    int padding = 0;
    if (const std::string problem = BuildHistory(model, PerfectRoute(), &padding); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    const int x = model.PosX();
    const int y = model.PosY();
    const int score = game.GetScore();
    for (auto _ : state) {
        model.StepBack();
        state.PauseTiming();
        model.AddHistory(padding, 0);
        state.ResumeTiming();
    }
    // The replay must have brought the game back to where the route ended.
    if (model.PosX() != x || model.PosY() != y || game.GetScore() != score)
        state.SkipWithError("stepping back did not replay the route to its end");
    state.SetLabel(std::to_string(kHistory) + " moves, " + std::to_string(PerfectRoute().size()) +
                   " of them the route");
}
BENCHMARK(BM_StepBack500)->Unit(benchmark::kMillisecond);

}  // namespace
