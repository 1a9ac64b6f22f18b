#include "platform/ddraw/frame_journal.h"

#include "platform/ddraw/rect_math.h"

namespace platform {
namespace {

// A frame asks for a few dozen copies; a journal longer than this is not a frame's.
constexpr std::size_t kMostOps = 256;

}  // namespace

bool FrameJournal::Same(const Op& earlier, const Op& later) const {
    const CopyReceipts::Copy& a = earlier.copy;
    const CopyReceipts::Copy& b = later.copy;
    if (a.source != b.source || a.keyed != b.keyed || !SameRect(a.from, b.from) || !SameRect(a.to, b.to) ||
        earlier.fill != later.fill)
        return false;
    return a.sourceVersion == b.sourceVersion || unchanged_(a.source, a.sourceVersion, b.sourceVersion, a.from);
}

bool FrameJournal::MayHoldBack(const Op& op) const {
    if (!lastWhole_ || !holding_ || broken_) return false;
    for (const Op& before : last_)
        if (Same(before, op)) return true;
    return false;
}

void FrameJournal::HoldBack(const Op& op) {
    current_.push_back(Entry{op, true});
    ++held_;
}

void FrameJournal::Done(const Op& op) {
    if (broken_) return;
    current_.push_back(Entry{op, false});
    if (current_.size() > kMostOps) Break();
}

std::vector<FrameJournal::Op> FrameJournal::TakeGroups(std::vector<bool> marks) {
    // Groups: held ops that overlap one another, from each marked one outwards.
    std::vector<int> group(current_.size(), -1);
    int groups = 0;
    for (std::size_t first = 0; first < current_.size(); ++first) {
        if (!marks[first] || !current_[first].held || group[first] >= 0) continue;
        std::vector<std::size_t> spreading{first};
        group[first] = groups;
        while (!spreading.empty()) {
            const RECT area = current_[spreading.back()].op.copy.to;
            spreading.pop_back();
            for (std::size_t i = 0; i < current_.size(); ++i) {
                if (group[i] >= 0 || !current_[i].held || !Meet(current_[i].op.copy.to, area)) continue;
                group[i] = groups;
                spreading.push_back(i);
            }
        }
        ++groups;
    }
    // A group that repeats, over each of its areas, all that the frame before did there has its
    // result on the buffer already: the frame before left it so, and nothing since touched it.
    std::vector<bool> repeated(static_cast<std::size_t>(groups), true);
    for (std::size_t i = 0; i < current_.size(); ++i)
        if (group[i] >= 0 && !RepeatedOver(current_[i].op.copy.to))
            repeated[static_cast<std::size_t>(group[i])] = false;
    std::vector<Op> due;
    for (std::size_t i = 0; i < current_.size(); ++i) {
        if (group[i] < 0) continue;
        if (!repeated[static_cast<std::size_t>(group[i])]) due.push_back(current_[i].op);
        current_[i].held = false;
        --held_;
    }
    return due;
}

std::vector<FrameJournal::Op> FrameJournal::DueBefore(const RECT& area) {
    std::vector<bool> marks(current_.size());
    for (std::size_t i = 0; i < current_.size(); ++i) marks[i] = current_[i].held && Meet(current_[i].op.copy.to, area);
    return TakeGroups(std::move(marks));
}

std::vector<FrameJournal::Op> FrameJournal::DueBeforeChangeOf(const void* source, const RECT& area) {
    std::vector<bool> marks(current_.size());
    for (std::size_t i = 0; i < current_.size(); ++i)
        marks[i] = current_[i].held && current_[i].op.copy.source == source && Meet(current_[i].op.copy.from, area);
    return TakeGroups(std::move(marks));
}

bool FrameJournal::HoldsFrom(const void* source) const {
    for (const Entry& entry : current_)
        if (entry.held && entry.op.copy.source == source) return true;
    return false;
}

std::vector<FrameJournal::Op> FrameJournal::DueAll() {
    holding_ = false;
    return TakeGroups(std::vector<bool>(current_.size(), true));
}

void FrameJournal::Break() {
    broken_ = true;
    current_.clear();
    held_ = 0;
}

bool FrameJournal::RepeatedOver(const RECT& area) const {
    std::size_t j = 0;
    for (const Entry& now : current_) {
        if (!Meet(now.op.copy.to, area)) continue;
        // What was done over the area this frame has changed its pixels already.
        if (!now.held) return false;
        while (j < last_.size() && !Meet(last_[j].copy.to, area)) ++j;
        if (j == last_.size() || !Same(last_[j], now.op)) return false;
        ++j;
    }
    while (j < last_.size() && !Meet(last_[j].copy.to, area)) ++j;
    return j == last_.size();
}

std::vector<FrameJournal::Op> FrameJournal::EndFrame() {
    // A held op may be dropped when, over its area, this frame asked for what the frame before did,
    // and all of it is held: those pixels are untouched since the frame before left them, and
    // doing the same again would leave them so. Held ops that overlap are dropped together or done
    // together, in order.
    std::vector<bool> marks(current_.size());
    for (std::size_t i = 0; i < current_.size(); ++i)
        marks[i] = current_[i].held && !RepeatedOver(current_[i].op.copy.to);
    std::vector<Op> due = TakeGroups(std::move(marks));
    lastWhole_ = !broken_;
    last_.clear();
    for (const Entry& entry : current_) last_.push_back(entry.op);
    current_.clear();
    held_ = 0;
    holding_ = true;
    broken_ = false;
    return due;
}

}  // namespace platform
