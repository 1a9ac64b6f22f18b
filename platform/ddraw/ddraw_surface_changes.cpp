// How a surface keeps track of its changes: versions and the areas each change touched, the
// copies in place (copy_receipts.h), the areas changed since the last flip, and for a back buffer
// the copies it holds back (frame_journal.h) and the sources it holds them back from.
#include <algorithm>

#include "platform/ddraw/ddraw_surface.h"
#include "platform/ddraw/rect_math.h"

namespace platform {
namespace {

// A frame changes a dozen areas of the back surface; past this many, all of it counts as changed.
constexpr std::size_t kMostChangedAreas = 32;
// The changes remembered, to tell whether an area changed between two versions.
constexpr std::size_t kMostRemembered = 64;

}  // namespace

RECT DdSurface::Whole() const { return RECT{0, 0, static_cast<LONG>(width_), static_cast<LONG>(height_)}; }

bool DdSurface::Within(const RECT& area) const {
    return area.left >= 0 && area.top >= 0 && area.left < area.right && area.top < area.bottom &&
           area.right <= static_cast<LONG>(width_) && area.bottom <= static_cast<LONG>(height_);
}

void DdSurface::NewVersion(const RECT& area) {
    version_ = NextSurfaceVersion(version_);
    // A run of changes to one area (a lock and its unlock, a line painted pixel by pixel through
    // locks) is one entry, so that replaying moves does not churn the list. Two areas join when the
    // rectangle round both is no larger than the two together, as along a line, and a line takes
    // in changes within it; a change within any other area stays apart, or all of that area would
    // seem to change again with it.
    if (!history_.empty()) {
        Change& last = history_.back();
        const RECT both = Bounds(last.area, area);
        const bool within = Contains(last.area, area);
        const bool extends = !within && !Contains(area, last.area) && Size(both) <= Size(last.area) + Size(area);
        if (SameRect(last.area, area) || extends || (within && last.joined)) {
            last.area = both;
            last.last = version_;
            last.joined = last.joined || extends;
            return;
        }
    }
    if (history_.size() >= kMostRemembered) {
        historyFrom_ = history_.front().last;
        history_.erase(history_.begin());
    }
    history_.push_back(Change{version_, version_, area, false});
}

bool DdSurface::ChangesBetween(std::uint64_t since, std::uint64_t until, const RECT& area,
                               std::vector<RECT>* changed) const {
    if (since >= until) return true;
    if (since < historyFrom_) return false;
    for (const Change& change : history_)
        if (change.first <= until && change.last > since && Meet(change.area, area))
            changed->push_back(Intersection(change.area, area));
    return true;
}

bool DdSurface::SourceChanges(const void* source, std::uint64_t since, std::uint64_t until, const RECT& area,
                              std::vector<RECT>* changed) {
    return static_cast<const DdSurface*>(source)->ChangesBetween(since, until, area, changed);
}

void DdSurface::Changing(const RECT& area) {
    NewVersion(area);
    receipts_.Overwritten(area);
    NoteChanged(area);
}

void DdSurface::Copying(const CopyReceipts::Copy& copy) {
    NewVersion(copy.to);
    receipts_.Overwriting(copy);
    NoteChanged(copy.to);
}

void DdSurface::ChangingAll() {
    NewVersion(Whole());
    receipts_.Clear();
    changedAll_ = true;
}

void DdSurface::NoteChanged(const RECT& area) {
    if (changedAll_) return;
    // A frame draws over the same areas more than once; each is handed over once.
    for (const RECT& known : changed_)
        if (Contains(known, area)) return;
    std::erase_if(changed_, [&](const RECT& known) { return Contains(area, known); });
    if (changed_.size() >= kMostChangedAreas) {
        changedAll_ = true;
        changed_.clear();
        return;
    }
    changed_.push_back(area);
}

std::vector<RECT> DdSurface::TakeChangedAreas() {
    std::vector<RECT> areas;
    if (changedAll_) areas.push_back(Whole());
    else areas.swap(changed_);
    changedAll_ = false;
    changed_.clear();
    return areas;
}

void DdSurface::DoHeld(const std::vector<FrameJournal::Op>& due) {
    if (due.empty()) return;
    BeforeChange(Whole());
    for (const FrameJournal::Op& op : due) {
        if (op.copy.source == nullptr) DoFill(op.copy.to, op.fill);
        else
            DoCopy(op.copy.to, *static_cast<DdSurface*>(const_cast<void*>(op.copy.source)), op.copy.from,
                   op.copy.keyed);
    }
}

void DdSurface::CatchUp() {
    if (journal_ != nullptr && journal_->HoldingBack()) DoHeld(journal_->DueAll());
}

void DdSurface::ForgetSources() {
    for (DdSurface* source : heldSources_) source->RemoveReader(this);
    heldSources_.clear();
}

void DdSurface::HoldBack(const FrameJournal::Op& op, DdSurface* source) {
    journal_->HoldBack(op);
    if (source == nullptr) return;
    if (std::find(heldSources_.begin(), heldSources_.end(), source) == heldSources_.end())
        heldSources_.push_back(source);
    source->AddReader(this);
}

void DdSurface::BeforeChange(const RECT& area) {
    // Taken out first: a reader that still holds copies from elsewhere on this surface comes back;
    // the others forget it, so that none of them reaches for it after it is gone.
    std::vector<DdSurface*> readers;
    readers.swap(readers_);
    for (DdSurface* reader : readers) {
        reader->DoHeld(reader->journal_->DueBeforeChangeOf(this, area));
        if (reader->journal_->HoldsFrom(this)) AddReader(reader);
        else std::erase(reader->heldSources_, this);
    }
}

void DdSurface::AddReader(DdSurface* reader) {
    for (DdSurface* known : readers_)
        if (known == reader) return;
    readers_.push_back(reader);
}

void DdSurface::RemoveReader(DdSurface* reader) { std::erase(readers_, reader); }

}  // namespace platform
