// What a back buffer is asked to do between two flips. A game draws much the same frame again and
// again. Each pixel ends a frame as the last copy or fill covering it left it (or, where every
// copy covering it is transparent there, as it was before the frame), so a frame that asks for
// exactly the copies and fills the frame before asked for, from sources in the same state, leaves
// every pixel as it found it. While a frame goes on repeating the one before, its copies and fills
// are held back; the first one that does not repeat, or anything that reads the buffer or changes
// a source, has the ones held back done first.
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

    // True when `op` goes on repeating the frame before, so that it may be held back.
    bool Repeats(const Op& op) const;
    void HoldBack(const Op& op);
    // The ops held back that must now be done, in order, and no more holding back in this frame.
    // Empty when none was held back, or when the whole frame before has been repeated: the pixels
    // then are already what those ops would make them.
    std::vector<Op> Release();
    bool HoldingBack() const { return heldBack_ > 0; }
    // An op that has been done.
    void Done(const Op& op);
    // The pixels changed in some other way: this frame cannot be repeated.
    void Break();
    // The buffer is being read whole (a flip): this frame becomes the one the next is held
    // against. Release first.
    void EndFrame();

private:
    std::vector<Op> last_;
    bool lastWhole_ = false;
    std::vector<Op> current_;
    std::size_t heldBack_ = 0;  // the first ops of current_, not done yet
    bool broken_ = false;
};

}  // namespace platform
