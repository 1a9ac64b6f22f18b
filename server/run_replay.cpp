#include "server/run_replay.h"

#include <algorithm>
#include <thread>

#include "base/app_globals.h"
#include "game/game_controller.h"
#include "game/maze_model.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"

namespace server {

namespace {

// The game as far as a run needs it: the score and the maze model, with a new game as the maze
// game starts one (the model reset, waiting, no score) and nothing shown, stored or played.
class ReplayGame : public GameController {
public:
    explicit ReplayGame(MazePictures& pictures) : model(*this, pictures) {}
    void NewGame() override {
        model.Reset();
        SetPlayState(kWaiting);
        SetScore(0);
    }
    MazeModel model;
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

int Cores() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

}  // namespace

RunReplayer::RunReplayer(MazeShelf& shelf, std::size_t keptSets, int parallel)
    : shelf_(shelf), keptSets_(keptSets), playing_(parallel > 0 ? parallel : Cores()) {
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
    kept_.clear();
    QZFreeDirectX();
    DestroyWindow(static_cast<HWND>(window_));
    g_lpBackSurface = nullptr;
    g_hWnd = nullptr;
}

std::unique_ptr<PictureSet> RunReplayer::Take(const MazeId& maze) {
    {
        const std::lock_guard<std::mutex> hold(keptLock_);
        for (auto set = kept_.begin(); set != kept_.end(); ++set) {
            if (!((*set)->Maze() == maze)) continue;
            std::unique_ptr<PictureSet> taken = std::move(*set);
            kept_.erase(set);
            return taken;
        }
    }
    // A maze that must be made first is made outside the loading lock: meanwhile other mazes'
    // sets load.
    if (!shelf_.Prepare(maze)) return nullptr;
    const std::lock_guard<std::mutex> hold(loadLock_);
    if (!shelf_.Select(maze)) return nullptr;
    std::unique_ptr<PictureSet> set = PictureSet::Load(maze);
    if (set != nullptr) ++loaded_;
    return set;
}

void RunReplayer::Give(std::unique_ptr<PictureSet> set) {
    std::list<std::unique_ptr<PictureSet>> spare;
    {
        const std::lock_guard<std::mutex> hold(keptLock_);
        kept_.push_front(std::move(set));
        while (kept_.size() > keptSets_) spare.splice(spare.begin(), kept_, std::prev(kept_.end()));
    }
    // Surfaces are let go as they are made: under the loading lock.
    if (spare.empty()) return;
    const std::lock_guard<std::mutex> hold(loadLock_);
    spare.clear();
}

int RunReplayer::LoadedSets() {
    const std::lock_guard<std::mutex> hold(loadLock_);
    return loaded_;
}

std::optional<RunOutcome> RunReplayer::Replay(const MazeId& maze, std::string_view moves) {
    if (!Ready() || !shelf_.Serves(maze)) return std::nullopt;
    playing_.acquire();
    struct Release {
        std::counting_semaphore<>& playing;
        ~Release() { playing.release(); }
    } release{playing_};
    std::unique_ptr<PictureSet> pictures = Take(maze);
    if (pictures == nullptr) return std::nullopt;
    ReplayGame game(*pictures);
    const RunOutcome outcome = Play(game, moves);
    Give(std::move(pictures));
    return outcome;
}

}  // namespace server
