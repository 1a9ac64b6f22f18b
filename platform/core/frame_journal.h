// What a back buffer is asked to do between two flips. A game draws much the same frame again and
// again. Each pixel ends a frame as the last copy or fill covering it left it (or, where all of
// them are transparent there, as it was), so copies and fills that repeat what the frame before
// did over the same area, in the same order and from sources in the same state, leave that area
// as they find it. Copies and fills that the frame before also did are held back; at the flip,
// those of each area where the frame repeated the one before are dropped, and the others done.
// Anything that draws over a held copy, changes its source or reads the buffer has it done first.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/core/copy_receipts.h"

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

    // True when the frame before did `op` too, so that it may be held back.
    bool MayHoldBack(const Op& op) const;
    void HoldBack(const Op& op);
    // An op that has been done.
    void Done(const Op& op);

    // Each of these gives the held ops that must now be done, in the order they were asked for,
    // and counts them as done. Before drawing on `area`: those under it, with every held op they
    // overlap, and so on.
    std::vector<Op> DueBefore(const RECT& area);
    // Before `source` changes: those copying from it, with the held ops they overlap, and so on.
    std::vector<Op> DueBeforeChangeOf(const void* source);
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
    // Widens the marks over every held op overlapping a marked one, and takes the marked ones.
    std::vector<Op> TakeGroups(std::vector<bool> marks);
    // Whether the ops of this frame that overlap `area` are all held and the same, in order, as
    // those of the frame before.
    bool RepeatedOver(const RECT& area) const;

    std::vector<Op> last_;
    bool lastWhole_ = false;
    std::vector<Entry> current_;
    std::size_t held_ = 0;
    bool holding_ = true;
    bool broken_ = false;
};

}  // namespace platform
