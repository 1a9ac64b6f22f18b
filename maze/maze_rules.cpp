#include "maze/maze_rules.h"

#include <algorithm>

#include "maze/maze_grid.h"

namespace assets {

namespace {

constexpr std::uint16_t kGoldenWall = 0xFE45;
constexpr int kFirstHilite = 16;
constexpr int kExitIndex = 26;
constexpr int kFirstKernel = 32;

int AllButReverse(int direction) { return 15 & ~ReverseOf(direction); }

}  // namespace

MazeRules::MazeRules(const IndexedPicture& maze, const RgbPicture& hilite, const RgbPicture& nohilite,
                     PixelLayout layout)
    : layout_(layout),
      width_(maze.width),
      height_(maze.height),
      map_(maze.indices),
      hilite_(hilite),
      nohilite_(nohilite),
      black_(Pack(layout, 0, 0, 0)),
      red_(Pack(layout, 255, 0, 0)),
      blue_(Pack(layout, kTransparent)) {
    backup_.reserve(map_.size());
    for (std::uint8_t index : map_) backup_.push_back(Pack(layout, maze.palette[index]));
    maze_ = backup_;
}

void MazeRules::NewGameClicked() {
    NewGame();
    playing_ = true;
}

bool MazeRules::DirectionClicked(int direction) {
    if (!playing_) return false;
    if ((allowedMoves_ & direction) == 0) return false;
    Run(direction);
    history_.emplace_back(direction, moveSteps_);
    return true;
}

void MazeRules::BackClicked() {
    if (playing_) StepBack();
}

void MazeRules::Finish() {
    if (goalState_ == 0 || !finishPending_) return;
    finishPending_ = false;
    score_ *= 2;
    playing_ = false;
}

void MazeRules::NewGame() {
    goalState_ = 0;
    RestoreMaze();
    MarkHilite(-1);
    MarkKernel(-1);
    startX_ = -1;
    startY_ = -1;
    FindStart();
    history_.clear();
    allowedMoves_ = 15;
    playing_ = false;
    finishPending_ = false;
    score_ = 0;
}

void MazeRules::FindStart() {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (MazePixel(x, y) == red_ && startX_ == -1 && startY_ == -1) {
                startX_ = posX_ = x;
                startY_ = posY_ = y;
            }
}

std::uint16_t MazeRules::MazePixel(int x, int y) const {
    // Outside the picture reads as wall; the maze is closed, so the game never reads there.
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return black_;
    return maze_[static_cast<std::size_t>(y) * width_ + x];
}

std::uint8_t MazeRules::MapIndex(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return map_[static_cast<std::size_t>(y) * width_ + x];
}

bool MazeRules::Passable(int x, int y) const {
    const std::uint16_t value = MazePixel(x, y);
    return value != black_ && value != red_ && value != blue_ && value != kGoldenWall;
}

int MazeRules::ProbeMoves(int mask) {
    const int x = posX_;
    const int y = posY_;
    int result = 0;
    // For each asked direction: the pixel straight ahead, then the two beside it one step on.
    struct Probe {
        int direction, aheadX, aheadY, sideX1, sideY1, side1, sideX2, sideY2, side2;
    };
    const Probe probes[4] = {{kLeft, x - 1, y, x - 1, y - 1, kUp, x - 1, y + 2, kDown},
                             {kRight, x + 2, y, x + 2, y - 1, kUp, x + 2, y + 2, kDown},
                             {kUp, x, y - 1, x - 1, y - 1, kLeft, x + 2, y - 1, kRight},
                             {kDown, x, y + 2, x - 1, y + 2, kLeft, x + 2, y + 2, kRight}};
    for (const Probe& p : probes) {
        if ((mask & p.direction) == 0) continue;
        const bool ahead = Passable(p.aheadX, p.aheadY);
        ExamineBlock(p.aheadX, p.aheadY);
        if (!ahead) continue;
        ExamineBlock(p.sideX1, p.sideY1);
        if (Passable(p.sideX1, p.sideY1)) result |= p.side1;
        ExamineBlock(p.sideX2, p.sideY2);
        if (Passable(p.sideX2, p.sideY2)) result |= p.side2;
        result |= p.direction;
    }
    return result;
}

void MazeRules::ExamineBlock(int a, int b) {
    const int xs[4] = {a, a + 1, a + 1, a};
    const int ys[4] = {b, b, b + 1, b + 1};
    for (int i = 0; i < 4; ++i) {
        const int index = MapIndex(xs[i], ys[i]);
        if (index >= kFirstHilite && index < kFirstHilite + 10) {
            MarkHilite(index - kFirstHilite);
            return;
        }
        if (index >= kFirstKernel && index < kFirstKernel + 100) {
            MarkKernel(index - kFirstKernel);
            return;
        }
        if (index == kExitIndex) goalState_ = 1;
    }
    if (goalState_ == 0) return;
    finishPending_ = true;
    if (KernelsFound() == 100 && HilitesFound() == 10) goalState_ = 2;
}

void MazeRules::MarkKernel(int kernel) {
    if (kernel == -1) {
        kernelFound_.fill(false);
        return;
    }
    if (kernelFound_[kernel]) return;
    kernelFound_[kernel] = true;
    score_ += 1000;
}

void MazeRules::MarkHilite(int hilite) {
    if (hilite == -1) {
        hiliteFound_.fill(false);
        CopyOntoMaze(nohilite_, 0, 0, kPanelWidth, kPanelHeight, kPanelX, kPanelY);
        return;
    }
    if (hiliteFound_[hilite]) return;
    hiliteFound_[hilite] = true;
    const TileRect& tile = kHiliteTiles[hilite];
    CopyOntoMaze(hilite_, tile.x, tile.y, tile.width, tile.height, tile.x + kPanelX, tile.y + kPanelY);
    score_ += 100000;
}

void MazeRules::CopyOntoMaze(const RgbPicture& source, int sx, int sy, int width, int height, int x, int y) {
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const int fromX = sx + column;
            const int fromY = sy + row;
            const int toX = x + column;
            const int toY = y + row;
            if (fromX >= source.width || fromY >= source.height || toX >= width_ || toY >= height_) continue;
            const std::uint16_t value = Pack(layout_, source.At(fromX, fromY));
            if (value == blue_) continue;
            const std::size_t at = static_cast<std::size_t>(toY) * width_ + toX;
            maze_[at] = value;
            backup_[at] = value;
        }
}

void MazeRules::Paint(int x, int y, std::uint16_t value) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    maze_[static_cast<std::size_t>(y) * width_ + x] = value;
}

void MazeRules::PaintBlock(std::uint16_t value) {
    Paint(posX_, posY_, value);
    Paint(posX_, posY_ + 1, value);
    Paint(posX_ + 1, posY_, value);
    Paint(posX_ + 1, posY_ + 1, value);
}

void MazeRules::Step(int direction) {
    switch (direction) {
    case kLeft: --posX_; break;
    case kRight: ++posX_; break;
    case kUp: --posY_; break;
    case kDown: ++posY_; break;
    default: break;
    }
}

void MazeRules::PaintLeadingEdge(int direction) {
    switch (direction) {
    case kLeft:
        Paint(posX_, posY_, red_);
        Paint(posX_, posY_ + 1, red_);
        break;
    case kRight:
        Paint(posX_ + 1, posY_, red_);
        Paint(posX_ + 1, posY_ + 1, red_);
        break;
    case kUp:
        Paint(posX_, posY_, red_);
        Paint(posX_ + 1, posY_, red_);
        break;
    case kDown:
        Paint(posX_, posY_ + 1, red_);
        Paint(posX_ + 1, posY_ + 1, red_);
        break;
    default: break;
    }
}

int MazeRules::MoveSegment(int direction) {
    if (direction != kLeft && direction != kRight && direction != kUp && direction != kDown) return 0;
    bool stop = false;
    int probed = 0;
    while (!stop) {
        probed = ProbeMoves(direction);
        if ((probed & direction) == 0) break;
        Step(direction);
        // The trail: the block's left column across, its top row along a vertical move.
        if (direction == kLeft || direction == kRight) {
            Paint(posX_, posY_, red_);
            Paint(posX_, posY_ + 1, red_);
        } else {
            Paint(posX_, posY_, red_);
            Paint(posX_ + 1, posY_, red_);
        }
        if (probed != direction) stop = true;
        ++moveSteps_;
    }
    PaintLeadingEdge(direction);
    if (probed != 0) {
        // Unprobed and uncounted: brings the block wholly into the crossing corridor.
        Step(direction);
        PaintLeadingEdge(direction);
    }
    return ProbeMoves(AllButReverse(direction));
}

int MazeRules::Run(int direction) {
    moveSteps_ = 0;
    PaintTrailBlock();
    int ways = MoveSegment(direction);
    while (DirectionCount(ways) == 1) ways = MoveSegment(ways);
    allowedMoves_ = ways;
    if (ways == 0) ++deadEndRuns_;
    PaintPositionBlock();
    score_ += moveSteps_;
    return ways;
}

void MazeRules::StepBack() {
    RestoreMaze();
    startX_ = -1;
    startY_ = -1;
    FindStart();
    MarkHilite(-1);
    MarkKernel(-1);
    if (history_.size() > 1) {
        history_.pop_back();
        score_ = 0;
        for (const auto& [direction, steps] : history_) Run(direction);
    } else {
        NewGame();
    }
}

int MazeRules::KernelsFound() const {
    return static_cast<int>(std::count(kernelFound_.begin(), kernelFound_.end(), true));
}

int MazeRules::HilitesFound() const {
    return static_cast<int>(std::count(hiliteFound_.begin(), hiliteFound_.end(), true));
}

}  // namespace assets
