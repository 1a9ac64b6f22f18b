#include "game/maze_model.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>

#include "game/game_controller.h"
#include "game/game_sounds.h"
#include "game/maze_screen.h"
#include "surface/surface.h"

namespace {

// The 16-bit value that blocks besides black, red and blue: the 5-6-5 colour (31, 50, 5).
constexpr int kBlockingValue = 0xFE45;
constexpr int kExitIndex = 26;
constexpr int kFirstHiliteIndex = 16;
constexpr int kFirstKernelIndex = 32;
constexpr int kPanelX = 28;
constexpr int kPanelY = 28;

struct Tile {
    int x, y, width, height;
};
// Where each hilite's tile lies in "hilite"; it shows at (x + 28, y + 28) of the maze.
constexpr Tile kTiles[MazeModel::kHilites] = {
    {0, 0, 94, 94},   {108, 0, 64, 94},  {186, 0, 22, 94},   {222, 0, 64, 94},   {300, 0, 64, 94},
    {0, 108, 73, 94}, {84, 108, 58, 94}, {156, 108, 64, 94}, {234, 108, 61, 94}, {306, 108, 58, 94},
};

constexpr bool IsItem(int index) {
    return (index >= kFirstHiliteIndex && index < kFirstHiliteIndex + MazeModel::kHilites) ||
           (index >= kFirstKernelIndex && index < kFirstKernelIndex + MazeModel::kKernels);
}

// An item or the exit, looked up by the map's 8-bit index: the corridors' and walls' indices lie
// among the items', so a range test let nearly every block through to be looked at index by index.
constexpr std::array<bool, 256> kNotable = [] {
    std::array<bool, 256> notable{};
    for (int index = 0; index < 256; ++index) notable[index] = IsItem(index) || index == kExitIndex;
    return notable;
}();
bool Notable(int index) { return kNotable[static_cast<unsigned>(index) & 0xFFu]; }

// All directions but the one back.
int Onward(int direction) {
    switch (direction) {
    case kLeft: return kLeft | kUp | kDown;
    case kRight: return kRight | kUp | kDown;
    case kUp: return kLeft | kRight | kUp;
    default: return kLeft | kRight | kDown;
    }
}

bool OneDirection(int mask) { return std::popcount(static_cast<unsigned>(mask & kAllDirections)) == 1; }

// The two pixels at (x, y) and below it (`sideways`) or right of it: the trail a step leaves.
RECT PairArea(int x, int y, bool sideways) { return RECT{x, y, x + (sideways ? 1 : 2), y + (sideways ? 2 : 1)}; }

}  // namespace

// The working copy and the map, and the colours packed for the working copy: black, red and blue
// block the way, as does the raw blocking value; green marks the player.
struct MazeModel::MoveView {
    static MoveView Look(MazePictures& pictures) {
        LPDIRECTDRAWSURFACE7 maze = pictures.PictureSurface("maze");
        return MoveView{maze,
                        pictures.PictureSurface("mazemap"),
                        PackRGB(maze, 0, 0, 0),
                        PackRGB(maze, 255, 0, 0),
                        PackRGB(maze, 0, 0, 255),
                        PackRGB(maze, 0, 255, 0)};
    }
    bool Passable(const LockedPixels& pixels, int x, int y) const {
        const int value = pixels.Read(x, y) & 0xFFFF;
        return value != black && value != red && value != blue && value != kBlockingValue;
    }
    LPDIRECTDRAWSURFACE7 maze;
    LPDIRECTDRAWSURFACE7 map;
    int black, red, blue, green;
};

// Shares one view with everything the outermost move calls; the pictures stay the same surfaces
// for the whole move, and so does their format.
class MazeModel::MoveScope {
public:
    explicit MoveScope(MazeModel& model) : model_(model) {
        if (model_.moveView_ != nullptr) return;
        view_ = MoveView::Look(model_.pictures_);
        model_.moveView_ = &view_;
        model_.moveScope_ = this;
    }
    ~MoveScope() {
        if (model_.moveView_ != &view_) return;
        model_.moveView_ = nullptr;
        model_.moveScope_ = nullptr;
    }
    mutable std::optional<LockedPixels> map;  // the scope is const where it is made
    mutable std::optional<LockedPixels> maze;
    MoveScope(const MoveScope&) = delete;
    MoveScope& operator=(const MoveScope&) = delete;

private:
    MazeModel& model_;
    MoveView view_{};
};

MazeModel::MoveView MazeModel::View() const { return moveView_ != nullptr ? *moveView_ : MoveView::Look(pictures_); }

const LockedPixels& MazeModel::MapPixels() {
    std::optional<LockedPixels>& map = moveScope_->map;
    if (!map) map.emplace(View().map, LockedPixels::ReadOnly{});
    return *map;
}

const LockedPixels& MazeModel::MazeReads() {
    std::optional<LockedPixels>& maze = moveScope_->maze;
    if (!maze) maze.emplace(View().maze, LockedPixels::ReadOnly{});
    return *maze;
}

void MazeModel::LetGoOfMaze() {
    if (moveScope_ != nullptr) moveScope_->maze.reset();
}

MazeModel::MazeModel(GameController& game) : MazeModel(game, g_MazeScreen) {}

MazeModel::MazeModel(GameController& game, MazePictures& pictures) : game_(game), pictures_(pictures) {}

MazeModel::~MazeModel() { history_.DeleteAll(); }

void MazeModel::Reset() {
    goalState_ = kGoalNone;
    pictures_.RestoreMaze();
    MarkHilite(-1);
    MarkKernel(-1);
    startY_ = -1;
    startX_ = -1;
    FindStart();
    history_.DeleteAll();
    allowedMoves_ = kAllDirections;
    finishPending_ = 0;
}

std::vector<std::int32_t> MazeModel::Route() const {
    std::vector<std::int32_t> directions;
    for (int i = 0; i < history_.Count(); ++i) directions.push_back(history_.At(i)->direction);
    return directions;
}

// Points go to the game's score through its own operations, which a game may replace.
void MazeModel::AddScore(int points) { game_.SetScore(game_.GetScore() + points); }

void MazeModel::FindStart() {
    LetGoOfMaze();
    const MoveView view = View();
    LPDIRECTDRAWSURFACE7 maze = view.maze;
    const int red = view.red;
    DDSURFACEDESC desc{};
    // One lock for the whole scan: the first red pixel, row by row, is the start.
    auto* bits = static_cast<const std::uint8_t*>(LockSurface(maze, &desc));
    if (bits == nullptr) return;
    for (int y = 0; y < static_cast<int>(desc.dwHeight) && startX_ == -1 && startY_ == -1; ++y) {
        const auto* row = reinterpret_cast<const std::uint16_t*>(bits + static_cast<long>(y) * desc.lPitch);
        for (int x = 0; x < static_cast<int>(desc.dwWidth); ++x) {
            if (row[x] != red) continue;
            startX_ = posX_ = x;
            startY_ = posY_ = y;
            break;
        }
    }
    UnlockSurface(maze);
}

int MazeModel::ProbeMoves(int mask) {
    // Probes outside a move share one view and one lock of each picture as well.
    if (moveScope_ == nullptr) {
        const MoveScope scope(*this);
        return ProbeMoves(mask);
    }
    const MoveView walls = View();
    const int x = posX_;
    const int y = posY_;
    int result = 0;
    // The maze's lock is let go before an item found is collected, which may draw on it or on
    // what is shown of it.
    const LockedPixels& map = MapPixels();
    auto passable = [&](int px, int py) {
        if (TrailHolds(px, py)) PaintTrail();
        return walls.Passable(MazeReads(), px, py);
    };
    auto examine = [&](int a, int b) {
        const int item = ReadBlock(map, a, b);
        if (item != -1) LetGoOfMaze();
        TakeItem(item);
    };
    // For each asked direction: the pixel straight ahead decides; only when it is open are the two
    // pixels beside it, one step further on, looked at for side openings.
    auto probe = [&](int direction, int aheadX, int aheadY, int sideA, int ax, int ay, int sideB, int bx, int by) {
        if ((mask & direction) == 0) return;
        const bool open = passable(aheadX, aheadY);
        examine(aheadX, aheadY);
        if (!open) return;
        examine(ax, ay);
        if (passable(ax, ay)) result |= sideA;
        examine(bx, by);
        if (passable(bx, by)) result |= sideB;
        result |= direction;
    };
    probe(kLeft, x - 1, y, kUp, x - 1, y - 1, kDown, x - 1, y + 2);
    probe(kRight, x + 2, y, kUp, x + 2, y - 1, kDown, x + 2, y + 2);
    probe(kUp, x, y - 1, kLeft, x - 1, y - 1, kRight, x + 2, y - 1);
    probe(kDown, x, y + 2, kLeft, x - 1, y + 2, kRight, x + 2, y + 2);
    return result;
}

void MazeModel::ExamineBlock(int a, int b) {
    // One lock for the block's reads, a temporary let go before an item is collected, which draws.
    const int item = ReadBlock(LockedPixels(View().map, LockedPixels::ReadOnly{}), a, b);
    TakeItem(item);
}

int MazeModel::ReadBlock(const LockedPixels& map, int a, int b) {
    // Most of the map is corridor and wall: a block of four indices that are neither an item nor
    // the exit is passed over without looking at them one by one.
    int indices[4];
    map.ReadSquare(a, b, indices);
    if (!Notable(indices[0]) && !Notable(indices[1]) && !Notable(indices[2]) && !Notable(indices[3])) return -1;
    for (const int index : indices) {
        if (IsItem(index)) return index;
        if (index == kExitIndex) goalState_ = kGoalReached;
    }
    return -1;
}

void MazeModel::TakeItem(int item) {
    if (item >= kFirstKernelIndex) {
        MarkKernel(item - kFirstKernelIndex);
        return;
    }
    if (item >= kFirstHiliteIndex) {
        MarkHilite(item - kFirstHiliteIndex);
        return;
    }
    if (goalState_ == kGoalNone) return;
    finishPending_ = 1;
    if (AllItemsFound()) goalState_ = kGoalPerfect;
}

bool MazeModel::AllItemsFound() const {
    for (int found : hiliteFound_)
        if (!found) return false;
    for (int found : kernelFound_)
        if (!found) return false;
    return true;
}

void MazeModel::MarkKernel(int kernel) {
    if (kernel == -1) {
        for (int& found : kernelFound_) found = 0;
        return;
    }
    if (kernel < 0 || kernel >= kKernels || kernelFound_[kernel]) return;
    kernelFound_[kernel] = 1;
    if (bellEnabled_ == 1) PlayGameEffect("bell");
    AddScore(1000);
}

void MazeModel::MarkHilite(int hilite) {
    LPDIRECTDRAWSURFACE7 maze = pictures_.PictureSurface("maze");
    LPDIRECTDRAWSURFACE7 backup = pictures_.PictureSurface("mazebackup");
    // A tile may cover trail not painted yet, which must lie under it.
    PaintTrail();
    LetGoOfMaze();
    if (hilite == -1) {
        for (int& found : hiliteFound_) found = 0;
        LPDIRECTDRAWSURFACE7 empty = pictures_.PictureSurface("nohilite");
        BlitRect(empty, 0, 0, 364, 202, maze, kPanelX, kPanelY, -1);
        BlitRect(empty, 0, 0, 364, 202, backup, kPanelX, kPanelY, -1);
        return;
    }
    if (hilite < 0 || hilite >= kHilites || hiliteFound_[hilite]) return;
    hiliteFound_[hilite] = 1;
    // The tile goes into the pristine copy too, so a restored maze keeps it until the panel is cleared.
    LPDIRECTDRAWSURFACE7 tiles = pictures_.PictureSurface("hilite");
    const Tile& t = kTiles[hilite];
    BlitRect(tiles, t.x, t.y, t.width, t.height, maze, t.x + kPanelX, t.y + kPanelY, -1);
    BlitRect(tiles, t.x, t.y, t.width, t.height, backup, t.x + kPanelX, t.y + kPanelY, -1);
    if (bellEnabled_ == 1) PlayGameEffect("bell");
    AddScore(100000);
}

// Each write locks only the pixels it paints, so that the surface knows how little of it changed.
void MazeModel::PaintBlock(int colour) {
    LetGoOfMaze();
    LockedPixels maze(View().maze, RECT{posX_, posY_, posX_ + 2, posY_ + 2});
    maze.Write(posX_, posY_, colour);
    maze.Write(posX_, posY_ + 1, colour);
    maze.Write(posX_ + 1, posY_, colour);
    maze.Write(posX_ + 1, posY_ + 1, colour);
}

void MazeModel::PaintTrailBlock() { PaintBlock(View().red); }

void MazeModel::PaintPositionBlock() { PaintBlock(View().green); }

void MazeModel::Step(int direction) {
    switch (direction) {
    case kLeft: --posX_; break;
    case kRight: ++posX_; break;
    case kUp: --posY_; break;
    default: ++posY_; break;
    }
}

void MazeModel::ExtendTrail(const RECT& pair) {
    if (!trail_) {
        trail_ = pair;
        return;
    }
    // A straight run's pairs lie side by side: the rectangle round them is their union.
    RECT& strip = *trail_;
    strip = RECT{std::min(strip.left, pair.left), std::min(strip.top, pair.top), std::max(strip.right, pair.right),
                 std::max(strip.bottom, pair.bottom)};
}

bool MazeModel::TrailHolds(int x, int y) const {
    return trail_ && x >= trail_->left && y >= trail_->top && x < trail_->right && y < trail_->bottom;
}

// One fill for the strip: a lock for each step cost more than the two pixels it painted.
void MazeModel::PaintTrail() {
    if (!trail_) return;
    const RECT strip = *trail_;
    trail_.reset();
    LetGoOfMaze();
    const MoveView view = View();
    FillArea(view.maze, strip, static_cast<DWORD>(view.red));
}

// The two pixels of the block's edge that faces the way it moves.
void MazeModel::PaintLeadingEdge(int direction) {
    LetGoOfMaze();
    const MoveView view = View();
    const int x = direction == kRight ? posX_ + 1 : posX_;
    const int y = direction == kDown ? posY_ + 1 : posY_;
    const bool sideways = direction == kLeft || direction == kRight;
    LockedPixels maze(view.maze, PairArea(x, y, sideways));
    maze.Write(x, y, view.red);
    maze.Write(sideways ? x : x + 1, sideways ? y + 1 : y, view.red);
}

int MazeModel::MoveSegment(int direction) {
    if (direction != kLeft && direction != kRight && direction != kUp && direction != kDown) return 0;
    const MoveScope scope(*this);
    const bool sideways = direction == kLeft || direction == kRight;
    int result = 0;
    for (bool stop = false; !stop;) {
        result = ProbeMoves(direction);
        if ((result & direction) == 0) break;
        Step(direction);
        // The trail: the block's column (sideways) or row (up and down) it has just left behind.
        ExtendTrail(PairArea(posX_, posY_, sideways));
        if (result != direction) stop = true;
        ++moveSteps_;
    }
    PaintTrail();
    PaintLeadingEdge(direction);
    if (result != 0) {
        // At a side opening one more, uncounted step brings the block fully into the crossing corridor.
        Step(direction);
        PaintLeadingEdge(direction);
    }
    return ProbeMoves(Onward(direction));
}

int MazeModel::Run(int direction) {
    const MoveScope scope(*this);
    moveSteps_ = 0;
    PaintTrailBlock();
    int open = MoveSegment(direction);
    // A corridor with bends is followed to its end: the move stops where two or more ways, or none, are open.
    while (OneDirection(open)) open = MoveSegment(open & kAllDirections);
    allowedMoves_ = open;
    if (open == 0) PlayGameEffect("nomove");
    PaintPositionBlock();
    AddScore(moveSteps_);
    return open;
}

void MazeModel::AddHistory(int direction, int steps) { history_.Push(new MoveRecord{direction, steps}); }

void MazeModel::StepBack() {
    const MoveScope scope(*this);
    LetGoOfMaze();
    pictures_.RestoreMaze();
    startX_ = startY_ = -1;
    FindStart();
    MarkHilite(-1);
    MarkKernel(-1);
    if (history_.Count() <= 1) {
        game_.NewGame();
        return;
    }
    MoveRecord* last = history_.At(history_.Count() - 1);
    history_.Remove(last);
    delete last;
    // The kept moves are replayed: the trail, the items and the score come back as they were.
    game_.SetScore(0);
    for (int i = 0; i < history_.Count(); ++i) Run(history_.At(i)->direction);
}
