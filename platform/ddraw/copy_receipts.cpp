#include "platform/ddraw/copy_receipts.h"

#include <atomic>

#include "platform/ddraw/rect_math.h"

namespace platform {
namespace {

// A frame repeats a dozen copies on any one surface; older receipts are seldom of use.
constexpr std::size_t kMostReceipts = 32;

bool Unscaled(const CopyReceipts::Copy& c) { return SameSize(c.to, c.from); }

// Both put the same source pixel on each target pixel they share, by the same rule.
bool Aligned(const CopyReceipts::Copy& a, const CopyReceipts::Copy& b) {
    return a.source == b.source && a.sourceVersion == b.sourceVersion && a.keyed == b.keyed && Unscaled(a) &&
           Unscaled(b) && a.to.left - a.from.left == b.to.left - b.from.left &&
           a.to.top - a.from.top == b.to.top - b.from.top;
}

}  // namespace

std::uint64_t NextSurfaceVersion(std::uint64_t after) {
    // Each thread numbers from a block of its own: one counter that every change on every thread
    // moved bounced between the cores, and runs replayed side by side spent a twentieth of their
    // time on it. A block taken later lies above every version handed out before it, so a surface
    // last changed on another thread, whose version may lie above this thread's block, gets a new one.
    constexpr std::uint64_t kBlock = std::uint64_t{1} << 16;
    static std::atomic<std::uint64_t> taken{0};
    thread_local std::uint64_t next = 0, end = 0;
    if (next == end || next <= after) {
        next = taken.fetch_add(kBlock) + 1;
        end = next + kBlock;
    }
    return next++;
}

bool CopyReceipts::InPlace(const Copy& copy) const {
    for (const Copy& done : copies_) {
        if (done.source == copy.source && done.sourceVersion == copy.sourceVersion && done.keyed == copy.keyed &&
            SameRect(done.from, copy.from) && SameRect(done.to, copy.to))
            return true;
    }
    return false;
}

void CopyReceipts::Overwritten(const RECT& area) {
    std::erase_if(copies_, [&](const Copy& done) { return Meet(done.to, area); });
}

void CopyReceipts::Overwriting(const Copy& copy) {
    std::erase_if(copies_, [&](const Copy& done) { return Meet(done.to, copy.to) && !Aligned(done, copy); });
}

void CopyReceipts::Add(const Copy& copy) {
    if (copies_.size() >= kMostReceipts) copies_.erase(copies_.begin());
    copies_.push_back(copy);
}

}  // namespace platform
