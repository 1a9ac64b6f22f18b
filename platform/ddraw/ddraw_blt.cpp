// Blt: rectangle and format checks, then the kernels in blit_kernels.cpp.
#include <algorithm>
#include <vector>

#include "platform/ddraw/blit_kernels.h"
#include "platform/ddraw/ddraw_format.h"
#include "platform/ddraw/ddraw_surface.h"
#include "platform/ddraw/rect_math.h"

namespace platform {

namespace {

constexpr DWORD kKnownBltFlags = DDBLT_COLORFILL | DDBLT_KEYSRC | DDBLT_WAIT;

blit::Pixels AreaOf(DdSurface& surface, const RECT& rect) {
    const int bytes = BytesPerPixel(surface.Format());
    return blit::Pixels{surface.Row(rect.top) + static_cast<std::ptrdiff_t>(rect.left) * bytes, surface.Pitch(),
                        static_cast<int>(rect.right - rect.left), static_cast<int>(rect.bottom - rect.top)};
}

// The key clipped to the values a pixel can hold; null when it can match none of them.
const blit::KeyRange* ReachableKey(const DdSurface& surface, blit::KeyRange* storage) {
    const DWORD largest = BytesPerPixel(surface.Format()) == 1 ? 0xFFu : 0xFFFFu;
    if (surface.KeyLow() > largest) return nullptr;
    *storage = blit::KeyRange{surface.KeyLow(), std::min(surface.KeyHigh(), largest)};
    return storage;
}

}  // namespace

HRESULT DdSurface::Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags, DDBLTFX* fx) {
    if ((flags & ~kKnownBltFlags) != 0) return DDERR_UNSUPPORTED;
    const RECT dest = destRect != nullptr ? *destRect : Whole();
    // Empty and inverted rectangles fail here too: left < right and top < bottom are required.
    if (!Within(dest)) return DDERR_INVALIDRECT;
    if ((flags & DDBLT_COLORFILL) != 0) {
        if (fx == nullptr || fx->dwSize != sizeof(DDBLTFX)) return DDERR_INVALIDPARAMS;
        return Fill(dest, fx->dwFillColor);
    }

    DdSurface* from = Of(source);
    if (from == nullptr) return DDERR_INVALIDPARAMS;
    const RECT fromRect = sourceRect != nullptr ? *sourceRect : from->Whole();
    if (!from->Within(fromRect)) return DDERR_INVALIDRECT;
    if (!SamePixelFormat(format_, from->format_)) return DDERR_INVALIDPIXELFORMAT;
    const bool keyed = (flags & DDBLT_KEYSRC) != 0;
    if (keyed && !from->hasKey_) return DDERR_NOCOLORKEY;
    return Copy(dest, *from, fromRect, keyed);
}

HRESULT DdSurface::Fill(const RECT& rect, DWORD value) {
    const FrameJournal::Op op = FrameJournal::FillOp(rect, value);
    if (journal_ != nullptr && journal_->MayHoldBack()) {
        // Held back as it would have been done: not while the surface is locked.
        if (access_ != Access::Free) return DDERR_SURFACEBUSY;
        HoldBack(op, nullptr);
        return DD_OK;
    }
    if (journal_ != nullptr) DoHeld(journal_->DueBefore(rect));
    BeforeChange(rect);
    const HRESULT result = DoFill(rect, value);
    if (journal_ != nullptr && result == DD_OK) journal_->Done(op);
    return result;
}

HRESULT DdSurface::DoFill(const RECT& rect, DWORD value) {
    if (!Claim(Access::Locked)) return DDERR_SURFACEBUSY;
    Changing(rect);
    blit::Fill(AreaOf(*this, rect), BytesPerPixel(format_), value);
    Unclaim(Access::Locked);
    return DD_OK;
}

HRESULT DdSurface::Copy(const RECT& dest, DdSurface& source, const RECT& sourceRect, bool keyed) {
    const bool self = &source == this;
    // The source is read: whatever it holds back is done first.
    source.CatchUp();
    const CopyReceipts::Copy receipt{&source, source.version_, sourceRect, dest, keyed};
    const FrameJournal::Op op = FrameJournal::CopyOp(receipt);
    // Held back, or already in place, as it would have been done: not while either surface is locked.
    const bool busy = access_ != Access::Free || source.access_ != Access::Free;
    // A copy within the buffer reads what the frame drew, so it is never held back; as its source's
    // version moves on with every change, it never repeats either.
    if (journal_ != nullptr && !self && journal_->MayHoldBack()) {
        if (busy) return DDERR_SURFACEBUSY;
        HoldBack(op, &source);
        return DD_OK;
    }
    // What is held back under the copy comes before it.
    if (journal_ != nullptr) DoHeld(journal_->DueBefore(dest));
    if (!self && receipts_.InPlace(receipt)) {
        if (busy) return DDERR_SURFACEBUSY;
        if (journal_ != nullptr) journal_->Done(op);
        return DD_OK;
    }
    // This surface is to change: what others hold back from there is done first.
    BeforeChange(dest);
    const HRESULT result = DoCopy(dest, source, sourceRect, keyed);
    if (journal_ != nullptr && result == DD_OK) journal_->Done(op);
    return result;
}

HRESULT DdSurface::DoCopy(const RECT& dest, DdSurface& source, const RECT& sourceRect, bool keyed) {
    const bool self = &source == this;
    if (!Claim(Access::Locked)) return DDERR_SURFACEBUSY;
    if (!self && !source.Claim(Access::Locked)) {
        Unclaim(Access::Locked);
        return DDERR_SURFACEBUSY;
    }
    // A copy from the surface onto itself changes its source as it goes: it is never taken as done.
    const CopyReceipts::Copy receipt{&source, source.version_, sourceRect, dest, keyed};
    if (!self && receipts_.InPlace(receipt)) {
        source.Unclaim(Access::Locked);
        Unclaim(Access::Locked);
        return DD_OK;
    }
    if (self) Changing(dest);
    else Copying(receipt);

    const int bytes = BytesPerPixel(format_);
    blit::Pixels from = AreaOf(source, sourceRect);
    // An overlapping copy within one surface reads from a snapshot, so no pixel is read after it
    // has been overwritten.
    std::vector<BYTE> snapshot;
    if (self && Meet(dest, sourceRect)) {
        const LONG rowBytes = from.width * bytes;
        snapshot.resize(static_cast<std::size_t>(rowBytes) * from.height);
        blit::Pixels copy{snapshot.data(), rowBytes, from.width, from.height};
        blit::Copy(copy, from, bytes);
        from = copy;
    }

    const blit::Pixels to = AreaOf(*this, dest);
    blit::KeyRange storage{};
    const blit::KeyRange* key = keyed ? ReachableKey(source, &storage) : nullptr;
    if (to.width != from.width || to.height != from.height) blit::Stretch(to, from, bytes, key);
    else if (key != nullptr) blit::CopyKeyed(to, from, bytes, *key);
    else blit::Copy(to, from, bytes);

    if (!self) {
        receipts_.Add(receipt);
        source.Unclaim(Access::Locked);
    }
    Unclaim(Access::Locked);
    return DD_OK;
}

}  // namespace platform
