#include "platform/ddraw/frame_journal.h"

#include <algorithm>

#include "platform/ddraw/rect_math.h"

namespace platform {
namespace {

// A frame asks for a few dozen copies; a journal longer than this is not a frame's.
constexpr std::size_t kMostOps = 256;
// How far ahead in the frame before an op's pair is looked for: a frame adds or leaves out a few
// ops and repeats the rest.
constexpr std::size_t kPairingReach = 8;

bool Scaled(const CopyReceipts::Copy& copy) { return copy.source != nullptr && !SameSize(copy.from, copy.to); }

bool MeetsAny(const RECT& area, const std::vector<RECT>& rects) {
    for (const RECT& r : rects)
        if (Meet(area, r)) return true;
    return false;
}

// Joins rectangles that overlap into the one round both, until none overlap.
void Separate(std::vector<RECT>* rects) {
    for (std::size_t i = 0; i < rects->size(); ++i) {
        for (std::size_t j = i + 1; j < rects->size(); ++j) {
            if (!Meet((*rects)[i], (*rects)[j])) continue;
            (*rects)[i] = Bounds((*rects)[i], (*rects)[j]);
            rects->erase(rects->begin() + static_cast<std::ptrdiff_t>(j));
            j = i;  // the grown rectangle may now meet those already passed
        }
    }
}

// The op limited to `area` of its target, reading the matching part of its source; unscaled only.
FrameJournal::Op ClippedTo(FrameJournal::Op op, const RECT& area) {
    const RECT to = Intersection(op.copy.to, area);
    op.copy.from = Shifted(to, op.copy.from.left - op.copy.to.left, op.copy.from.top - op.copy.to.top);
    op.copy.to = to;
    return op;
}

}  // namespace

bool FrameJournal::Same(const Op& earlier, const Op& later) const {
    const CopyReceipts::Copy& a = earlier.copy;
    const CopyReceipts::Copy& b = later.copy;
    if (a.source != b.source || a.keyed != b.keyed || !SameRect(a.from, b.from) || !SameRect(a.to, b.to) ||
        earlier.fill != later.fill)
        return false;
    if (a.sourceVersion == b.sourceVersion) return true;
    scratch_.clear();
    return changes_(a.source, a.sourceVersion, b.sourceVersion, a.from, &scratch_) && scratch_.empty();
}

bool FrameJournal::MayHoldBack() const { return lastWhole_ && holding_ && !broken_ && current_.size() < kMostOps; }

void FrameJournal::HoldBack(const Op& op) {
    current_.push_back(Entry{op, true});
    ++held_;
}

void FrameJournal::Done(const Op& op) {
    if (broken_) return;
    current_.push_back(Entry{op, false});
    if (current_.size() > kMostOps) Break();
}

int FrameJournal::Groups() const {
    groupOf_.assign(current_.size(), -1);
    int groups = 0;
    for (std::size_t first = 0; first < current_.size(); ++first) {
        if (!marks_[first] || !current_[first].held || groupOf_[first] >= 0) continue;
        spreading_.assign(1, first);
        groupOf_[first] = groups;
        while (!spreading_.empty()) {
            const RECT area = current_[spreading_.back()].op.copy.to;
            spreading_.pop_back();
            for (std::size_t i = 0; i < current_.size(); ++i) {
                if (groupOf_[i] >= 0 || !current_[i].held || !Meet(current_[i].op.copy.to, area)) continue;
                groupOf_[i] = groups;
                spreading_.push_back(i);
            }
        }
        ++groups;
    }
    return groups;
}

const std::vector<std::size_t>& FrameJournal::Members(int group) const {
    members_.clear();
    for (std::size_t i = 0; i < current_.size(); ++i)
        if (groupOf_[i] == group) members_.push_back(i);
    return members_;
}

// A group that repeats, over each of its areas, all that the frame before did there has its result
// on the buffer already: the frame before left it so, and nothing since touched it.
bool FrameJournal::Repeated(const std::vector<std::size_t>& group) const {
    for (std::size_t i : group)
        if (!RepeatedOver(current_[i].op.copy.to)) return false;
    return true;
}

// The same source (or a fill), read and written the same way over areas of the same size: the same
// op, perhaps moved or from a changed source.
bool FrameJournal::Counterparts(const Op& before, const Op& now) {
    const CopyReceipts::Copy& a = before.copy;
    const CopyReceipts::Copy& b = now.copy;
    return a.source == b.source && a.keyed == b.keyed && SameSize(a.to, b.to) && SameSize(a.from, b.from);
}

void FrameJournal::PairDamage(const Op& before, const Op& now, std::vector<RECT>* damage) const {
    if (Same(before, now)) return;
    const CopyReceipts::Copy& a = before.copy;
    const CopyReceipts::Copy& b = now.copy;
    const bool sameCopy = a.source != nullptr && a.source == b.source && a.keyed == b.keyed &&
                          SameRect(a.from, b.from) && SameRect(a.to, b.to);
    // The same copy from a source changed in part differs where those parts land, when unscaled.
    scratch_.clear();
    if (!sameCopy || Scaled(b) || !changes_(a.source, a.sourceVersion, b.sourceVersion, a.from, &scratch_)) {
        damage->push_back(a.to);
        damage->push_back(b.to);
        return;
    }
    for (const RECT& changed : scratch_)
        damage->push_back(Shifted(changed, b.to.left - b.from.left, b.to.top - b.from.top));
}

bool FrameJournal::Damage(const std::vector<std::size_t>& group, std::vector<RECT>* damage) const {
    std::vector<RECT>& areas = areas_;
    areas.clear();
    for (std::size_t i : group) areas.push_back(current_[i].op.copy.to);
    // Nothing but the group itself may have drawn there this frame, so that the buffer holds what
    // the frame before left.
    std::size_t member = 0;
    for (std::size_t i = 0; i < current_.size(); ++i) {
        if (member < group.size() && group[member] == i) {
            ++member;
            continue;
        }
        if (MeetsAny(current_[i].op.copy.to, areas)) return false;
    }
    std::vector<const Op*>& before = before_;
    before.clear();
    for (const Op& op : last_)
        if (MeetsAny(op.copy.to, areas)) before.push_back(&op);
    // Each of this frame's ops pairs with the next of the frame before's that can be the same op
    // again; an op of this frame with none is unpaired, and can leave other pixels anywhere in its
    // area. The pairs keep their order in both frames.
    std::vector<RECT>& paired = paired_;  // the areas of the frame before's paired ops, so far
    paired.clear();
    std::size_t next = 0;
    for (std::size_t i : group) {
        const Op& now = current_[i].op;
        std::size_t match = next;
        while (match < before.size() && !Counterparts(*before[match], now)) ++match;
        if (match == before.size()) {
            damage->push_back(now.copy.to);
            continue;
        }
        for (; next < match; ++next) LeftOutDamage(*before[next], paired, damage);
        paired.push_back(before[next]->copy.to);
        PairDamage(*before[next++], now, damage);
    }
    for (; next < before.size(); ++next) LeftOutDamage(*before[next], paired, damage);
    Separate(damage);
    return true;
}

// Copies and fills from sources in the same state leave each pixel as the last of them to draw it
// did, whatever it held, so doing a run of them twice is doing it once. Where the frame before did
// an op this frame leaves out, and over that pixel this frame repeats exactly the ops the frame
// before did after it, this frame ends as the frame before did: only an earlier op of the frame
// before that this frame does again (after the left-out op's pixels, not before them) can make
// the pixel differ. The other cases are damage already: an op of this frame with no pair, an op
// of the frame before left out after this one, and a pair that differs.
void FrameJournal::LeftOutDamage(const Op& leftOut, const std::vector<RECT>& pairedBefore, std::vector<RECT>* damage) {
    for (const RECT& earlier : pairedBefore)
        if (Meet(leftOut.copy.to, earlier)) damage->push_back(Intersection(leftOut.copy.to, earlier));
}

void FrameJournal::Clipped(const std::vector<std::size_t>& group, std::vector<RECT>* widened,
                           std::vector<Op>* due) const {
    std::vector<RECT>& damage = *widened;
    // A stretched copy cannot be clipped without moving its samples: where it meets the damage, all
    // of its area is damage, and so on until nothing more is added.
    for (bool widened = true; widened;) {
        widened = false;
        for (std::size_t i : group) {
            const RECT to = current_[i].op.copy.to;
            if (!Scaled(current_[i].op.copy) || !MeetsAny(to, damage)) continue;
            bool inside = false;
            for (const RECT& r : damage) inside = inside || Contains(r, to);
            if (inside) continue;
            damage.push_back(to);
            Separate(&damage);
            widened = true;
        }
    }
    // Op by op, each over every piece of damage: the pieces do not overlap, so each pixel sees the
    // group's ops once and in order.
    for (std::size_t i : group) {
        const Op& op = current_[i].op;
        if (Scaled(op.copy)) {
            if (MeetsAny(op.copy.to, damage)) due->push_back(op);
            continue;
        }
        for (const RECT& r : damage)
            if (Meet(op.copy.to, r)) due->push_back(ClippedTo(op, r));
    }
}

std::vector<FrameJournal::Op> FrameJournal::TakeGroups(bool marksChanged) {
    std::vector<Op> due;
    const int groups = Groups();
    for (int id = 0; id < groups; ++id) {
        const std::vector<std::size_t>& group = Members(id);
        if (marksChanged || !Repeated(group)) {
            damage_.clear();
            if (Damage(group, &damage_)) Clipped(group, &damage_, &due);
            else
                for (std::size_t i : group) due.push_back(current_[i].op);
        }
        for (std::size_t i : group) {
            current_[i].held = false;
            --held_;
        }
    }
    return due;
}

template <class Wanted>
std::vector<FrameJournal::Op> FrameJournal::TakeHeldWhere(const Wanted& wanted) {
    marks_.assign(current_.size(), 0);
    bool any = false;
    for (std::size_t i = 0; i < current_.size(); ++i) {
        marks_[i] = current_[i].held && wanted(current_[i].op);
        any = any || marks_[i];
    }
    // Most calls find nothing held there, and need no grouping.
    return any ? TakeGroups() : std::vector<Op>{};
}

std::vector<FrameJournal::Op> FrameJournal::DueBefore(const RECT& area) {
    return TakeHeldWhere([&](const Op& op) { return Meet(op.copy.to, area); });
}

std::vector<FrameJournal::Op> FrameJournal::DueBeforeChangeOf(const void* source, const RECT& area) {
    return TakeHeldWhere([&](const Op& op) { return op.copy.source == source && Meet(op.copy.from, area); });
}

bool FrameJournal::HoldsFrom(const void* source) const {
    for (const Entry& entry : current_)
        if (entry.held && entry.op.copy.source == source) return true;
    return false;
}

std::vector<FrameJournal::Op> FrameJournal::DueAll() {
    holding_ = false;
    marks_.assign(current_.size(), 1);
    return TakeGroups();
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

// A still frame asks for the ops of the frame before, in the same order, all held: then every area
// repeats, which the per-area test below would find in time that grows with the square of the ops.
// Ops paired here are the same op, so over the same area, and the pairs keep their order in both
// frames: over an area that no unpaired op meets, this frame's ops are all held and pair one to one,
// in order, with the frame before's. The area repeats, and RepeatedOver need not go through every
// op to find so. A frame after a move leaves a few ops unpaired (the maze's copy, the scores, a button).
void FrameJournal::UnpairedAreas(std::vector<RECT>* areas) const {
    areas->clear();
    std::size_t next = 0;  // the frame before's first op not yet paired or passed over
    for (const Entry& now : current_) {
        const std::size_t reach = std::min(last_.size(), next + kPairingReach);
        std::size_t match = next;
        while (now.held && match < reach && !Same(last_[match], now.op)) ++match;
        if (!now.held || match == reach) {
            areas->push_back(now.op.copy.to);
            continue;
        }
        for (; next < match; ++next) areas->push_back(last_[next].copy.to);
        next = match + 1;
    }
    for (; next < last_.size(); ++next) areas->push_back(last_[next].copy.to);
}

bool FrameJournal::RepeatsWhole() const {
    if (current_.size() != last_.size() || held_ != current_.size()) return false;
    for (std::size_t i = 0; i < current_.size(); ++i)
        if (!Same(last_[i], current_[i].op)) return false;
    return true;
}

void FrameJournal::Settle() {
    lastWhole_ = !broken_;
    last_.clear();
    for (const Entry& entry : current_) last_.push_back(entry.op);
    current_.clear();
    held_ = 0;
    holding_ = true;
    broken_ = false;
}

std::vector<FrameJournal::Op> FrameJournal::EndFrame() {
    if (!broken_ && RepeatsWhole()) {
        Settle();
        return {};
    }
    // A held op may be dropped when, over its area, this frame asked for what the frame before did,
    // and all of it is held: those pixels are untouched since the frame before left them, and
    // doing the same again would leave them so. Held ops that overlap are dropped together or done
    // together, in order.
    marks_.assign(current_.size(), 0);
    UnpairedAreas(&unpaired_);
    for (std::size_t i = 0; i < current_.size(); ++i) {
        const RECT& to = current_[i].op.copy.to;
        marks_[i] = current_[i].held && MeetsAny(to, unpaired_) && !RepeatedOver(to);
    }
    // Each group taken holds a marked op, which did not repeat the frame before.
    std::vector<Op> due = TakeGroups(true);
    Settle();
    return due;
}

}  // namespace platform
