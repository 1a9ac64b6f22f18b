#include "platform/core/frame_journal.h"

namespace platform {
namespace {

// A frame asks for a few dozen copies; a journal longer than this is not a frame's.
constexpr std::size_t kMostOps = 1024;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool Same(const FrameJournal::Op& a, const FrameJournal::Op& b) {
    return a.copy.source == b.copy.source && a.copy.sourceVersion == b.copy.sourceVersion &&
           a.copy.keyed == b.copy.keyed && SameRect(a.copy.from, b.copy.from) && SameRect(a.copy.to, b.copy.to) &&
           a.fill == b.fill;
}

}  // namespace

bool FrameJournal::Repeats(const Op& op) const {
    const std::size_t next = current_.size();
    return lastWhole_ && !broken_ && heldBack_ == next && next < last_.size() && Same(op, last_[next]);
}

void FrameJournal::HoldBack(const Op& op) {
    current_.push_back(op);
    ++heldBack_;
}

std::vector<FrameJournal::Op> FrameJournal::Release() {
    std::vector<Op> due;
    if (heldBack_ < last_.size()) due.assign(current_.begin(), current_.begin() + static_cast<std::ptrdiff_t>(heldBack_));
    heldBack_ = 0;
    return due;
}

void FrameJournal::Done(const Op& op) {
    if (broken_) return;
    current_.push_back(op);
    if (current_.size() > kMostOps) Break();
}

void FrameJournal::Break() {
    broken_ = true;
    current_.clear();
}

void FrameJournal::EndFrame() {
    lastWhole_ = !broken_;
    last_.swap(current_);
    current_.clear();
    heldBack_ = 0;
    broken_ = false;
}

}  // namespace platform
