#include "server/run_replay.h"

#include "base/app_globals.h"
#include "game/game_controller.h"
#include "game/maze_model.h"
#include "game/maze_screen.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"

namespace server {

namespace {

// The game as far as a run needs it: the score and the maze model, with a new game as the maze
// game starts one (the model reset, waiting, no score) and nothing shown, stored or played.
class ReplayGame : public GameController {
public:
    void NewGame() override {
        model.Reset();
        SetPlayState(kWaiting);
        SetScore(0);
    }
    MazeModel model{*this};
};

int DirectionOf(char letter) {
    switch (letter) {
    case 'L': return kLeft;
    case 'R': return kRight;
    case 'U': return kUp;
    case 'D': return kDown;
    default: return 0;
    }
}

// A game lasts from its new game to the moment its score is offered: the finish (in the frame
// after the move that reached the exit, doubling the score) or the step back past the first move,
// which leaves the game waiting with nothing scored. A move after either is refused, as the game
// takes no moves while it waits.
RunOutcome Play(ReplayGame& game, std::string_view moves) {
    MazeModel& model = game.model;
    game.NewGame();
    game.SetPlayState(kPlaying);
    model.SetBellEnabled(0);
    RunOutcome outcome;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const int direction = DirectionOf(moves[i]);
        const bool waiting = game.GetPlayState() != kPlaying;
        if (waiting || (direction == 0 && moves[i] != 'B') || (direction != 0 && !(model.AllowedMoves() & direction))) {
            outcome.refusedAt = static_cast<int>(i);
            return outcome;
        }
        if (direction == 0) {
            model.StepBack();
            continue;
        }
        model.Run(direction);
        model.AddHistory(direction, model.MoveSteps());
        if (model.GoalState() == kGoalNone || !model.FinishPending()) continue;
        model.ClearFinishPending();
        game.SetScore(game.GetScore() * 2);
        game.SetPlayState(kWaiting);
        outcome.finished = true;
        outcome.perfect = model.GoalState() == kGoalPerfect;
    }
    outcome.score = game.GetScore();
    return outcome;
}

ReplayGame& TheGame() {
    static ReplayGame game;
    return game;
}

}  // namespace

RunReplayer::RunReplayer(MazeShelf& shelf) : shelf_(shelf) {
    // The class stays registered for the program's life; a later replayer finds it there.
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "Stalkway Server";
        return RegisterClassA(&wc) != 0;
    }();
    if (!registered) return;
    HWND window = CreateWindowExA(0, "Stalkway Server", "", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr || QZInitDirectX(window, 800, 600) == 0) return;
    g_hWnd = window;
    LPDIRECTDRAWSURFACE7 primary = nullptr;
    QZGetDDInfo(&primary, &g_lpBackSurface);
    g_lpDD = QZGetLPDD();
    window_ = window;
}

RunReplayer::~RunReplayer() {
    if (window_ == nullptr) return;
    g_MazeScreen.Leave();
    QZFreeDirectX();
    DestroyWindow(static_cast<HWND>(window_));
    g_lpBackSurface = nullptr;
    g_hWnd = nullptr;
}

bool RunReplayer::Load(const MazeId& maze) {
    if (loaded_ == maze) return true;
    g_MazeScreen.Leave();
    loaded_.reset();
    if (!shelf_.Select(maze)) return false;
    g_MazeScreen.Enter(g_lpDD, g_lpBackSurface);
    if (!g_MazeScreen.Ready()) return false;
    loaded_ = maze;
    return true;
}

std::optional<RunOutcome> RunReplayer::Replay(const MazeId& maze, std::string_view moves) {
    const std::lock_guard<std::mutex> hold(lock_);
    if (!Ready() || !Load(maze)) return std::nullopt;
    return Play(TheGame(), moves);
}

}  // namespace server
