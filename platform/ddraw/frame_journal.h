// What a back buffer is asked to do between two flips. A game draws much the same frame again and
// again. Each pixel ends a frame as the last copy or fill covering it left it (or, where all of
// them are transparent there, as it was), so copies and fills that repeat what the frame before
// did over the same area, in the same order and from sources in the same state, leave that area
// as they find it: doing them twice is doing them once. The copies and fills of a frame are held
// back; at the flip, those of each area where the frame repeated the one before are dropped. Where
// it did not, the two frames' ops over the area are paired in order, and only where a pair
// differs (a copy moved, part of its source changed) or an op has no pair can the pixels differ
// from what the frame before left: the ops are done there alone, clipped. Anything that draws
// over a held copy, changes its source or reads the buffer has it done first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/ddraw/copy_receipts.h"

namespace platform {

class FrameJournal {
public:
    // A copy, or a fill of `copy.to` with `fill` (then `copy.source` is null).
    struct Op {
        CopyReceipts::Copy copy;
        DWORD fill;
    };
    static Op FillOp(const RECT& area, DWORD value) { return Op{{nullptr, 0, {}, area, false}, value}; }
    static Op CopyOp(const CopyReceipts::Copy& copy) { return Op{copy, 0}; }

    // Adds the parts of `area` of a source that changed from one of its versions to a later one;
    // false when the source cannot tell. Two copies of the same area of a source are the same copy
    // when that area did not change between their versions, whatever else of the source did.
    using SourceChanges = bool (*)(const void* source, std::uint64_t since, std::uint64_t until, const RECT& area,
                                   std::vector<RECT>* changed);
    explicit FrameJournal(SourceChanges changes) : changes_(changes) {}

    // True when the frame before was whole and this one is not yet too long, so that ops may be held
    // back.
    bool MayHoldBack() const;
    void HoldBack(const Op& op);
    // An op that has been done.
    void Done(const Op& op);

    // Each of these gives the held ops that must now be done, in the order they were asked for,
    // and counts them as done; a group of them that repeats all the frame before did over its
    // areas is counted as done without being given. Before drawing on `area`: those under it, with
    // every held op they overlap, and so on.
    std::vector<Op> DueBefore(const RECT& area);
    // Before `area` of `source` changes: those copying from there, with the held ops they
    // overlap, and so on.
    std::vector<Op> DueBeforeChangeOf(const void* source, const RECT& area);
    bool HoldsFrom(const void* source) const;
    // All of them, and no more holding back in this frame: the buffer is read, or changed some
    // other way (then Break() too).
    std::vector<Op> DueAll();
    // The pixels changed some other way: this frame cannot be repeated.
    void Break();
    // At the flip: the ops of each group of overlapping held ops that did not repeat the frame
    // before over their area. This frame becomes the one the next is held against.
    std::vector<Op> EndFrame();
    bool HoldingBack() const { return held_ > 0; }

private:
    struct Entry {
        Op op;
        bool held;
    };
    bool Same(const Op& earlier, const Op& later) const;
    // Widens marks_ over every held op overlapping a marked one and takes the marked ones: those of
    // a group that repeats the frame before over all its areas count as done, the others are due.
    // `marksChanged` when each marked op is known not to repeat the frame before.
    std::vector<Op> TakeGroups(bool marksChanged = false);
    // Marks the held ops `wanted` picks and takes their groups (defined beside its two users).
    template <class Wanted>
    std::vector<Op> TakeHeldWhere(const Wanted& wanted);
    // The groups of held ops that overlap one another, from each marked one outwards, numbered in
    // order into groupOf_ (-1: in none); gives how many.
    int Groups() const;
    // The ops of a group, in order.
    const std::vector<std::size_t>& Members(int group) const;
    bool Repeated(const std::vector<std::size_t>& group) const;
    // Where the pixels under a group can end this frame other than the frame before left them, as
    // rectangles apart from one another; false when something else drew there this frame.
    bool Damage(const std::vector<std::size_t>& group, std::vector<RECT>* damage) const;
    static bool Counterparts(const Op& before, const Op& now);
    // Where a pair of ops, one from the frame before and one from this, can leave different pixels.
    void PairDamage(const Op& before, const Op& now, std::vector<RECT>* damage) const;
    // Where an op of the frame before that this frame left out can leave different pixels, given
    // the areas of the ops of the frame before paired so far.
    static void LeftOutDamage(const Op& leftOut, const std::vector<RECT>& pairedBefore, std::vector<RECT>* damage);
    // The group's ops clipped to the damage; a stretched copy is done whole, its area added to it.
    void Clipped(const std::vector<std::size_t>& group, std::vector<RECT>* damage, std::vector<Op>* due) const;
    // Whether the ops of this frame that overlap `area` are all held and the same, in order, as
    // those of the frame before.
    bool RepeatedOver(const RECT& area) const;
    // The areas of the ops of both frames that pairing each held op of this frame with the next
    // same op of the frame before leaves unpaired: only over these can an area not repeat.
    void UnpairedAreas(std::vector<RECT>* areas) const;
    // Whether this frame asked for exactly the held ops of the frame before, in order.
    bool RepeatsWhole() const;
    // This frame becomes the one the next is held against.
    void Settle();

    SourceChanges changes_;
    mutable std::vector<RECT> scratch_;
    // Working lists, kept from call to call: a frame asks for groups a few times at each draw and at
    // the flip, and allocating them anew cost more than the checks themselves.
    std::vector<char> marks_;
    mutable std::vector<int> groupOf_;
    mutable std::vector<std::size_t> spreading_, members_;
    mutable std::vector<RECT> areas_, paired_, damage_, unpaired_;
    mutable std::vector<const Op*> before_;
    std::vector<Op> last_;
    bool lastWhole_ = false;
    std::vector<Entry> current_;
    std::size_t held_ = 0;
    bool holding_ = true;
    bool broken_ = false;
};

}  // namespace platform
