// An in-memory DirectDraw surface: zeroed pixels in rows of `Pitch()` bytes, a source colour key,
// a lock that excludes blits and other locks, and for 8-bit surfaces a palette of their own. A
// copy that is already in place is not done again (copy_receipts.h), and a back buffer holds back
// a frame that repeats the one before (frame_journal.h).
#pragma once

#include <atomic>
#include <memory>
#include <typeinfo>
#include <vector>

#include "platform/ddraw/copy_receipts.h"
#include "platform/ddraw/frame_journal.h"
#include "platform/ddraw/ddraw_palette.h"
#include "platform/api/ddraw.h"

namespace platform {

class DdSurface final : public IDirectDrawSurface {
public:
    // DD_OK and a surface with one reference, or DDERR_INVALIDPARAMS for a zero or too long side,
    // DDERR_INVALIDPIXELFORMAT, or DDERR_OUTOFMEMORY when the pixels are over the size limit or
    // cannot be allocated.
    static HRESULT Create(DWORD width, DWORD height, const DDPIXELFORMAT& format, DWORD caps, DdSurface** surface);
    // The surface behind an interface, or null when it is some other implementation. As the class is
    // final, comparing the exact type says the same as a dynamic_cast, at a fraction of its cost on
    // a path every copy of every frame takes.
    static DdSurface* Of(IDirectDrawSurface* surface) {
        return surface != nullptr && typeid(*surface) == typeid(DdSurface) ? static_cast<DdSurface*>(surface) : nullptr;
    }

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags, DDBLTFX* fx) override;
    // DDLOCK_READONLY is taken at its word: writing through such a lock may leave copies undone.
    // On a back buffer a read-only lock ends a frame (the flip reads it so).
    HRESULT Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) override;
    HRESULT Unlock(LPRECT rect) override;
    HRESULT GetSurfaceDesc(LPDDSURFACEDESC desc) override;
    HRESULT GetPixelFormat(DDPIXELFORMAT* format) override;
    // Only DDCKEY_SRCBLT. The key matches pixel values from low to high inclusive; a high value
    // below the low one means the low value alone. A null key removes it.
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key) override;
    HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key) override;
    // The device context counts as a lock: until ReleaseDC the surface can be neither locked nor
    // blitted, as with a real device context.
    HRESULT GetDC(HDC* dc) override;
    HRESULT ReleaseDC(HDC dc) override;
    HRESULT GetPalette(LPDIRECTDRAWPALETTE* palette) override;
    // Memory is never lost.
    HRESULT IsLost() override { return DD_OK; }
    HRESULT Restore() override { return DD_OK; }

    DWORD Width() const { return width_; }
    DWORD Height() const { return height_; }
    LONG Pitch() const { return pitch_; }
    const DDPIXELFORMAT& Format() const { return format_; }
    BYTE* Row(LONG y) { return pixels_.get() + static_cast<std::ptrdiff_t>(y) * pitch_; }
    bool HasSourceKey() const { return hasKey_; }
    // The inclusive range of pixel values the key skips.
    DWORD KeyLow() const { return key_.dwColorSpaceLowValue; }
    DWORD KeyHigh() const;
    // The areas whose pixels may have changed since the last call (all of the surface at first),
    // and forgets them. Empty when nothing has changed.
    std::vector<RECT> TakeChangedAreas();

private:
    enum class Access { Free, Locked, DeviceContext };

    DdSurface(DWORD width, DWORD height, const DDPIXELFORMAT& format, DWORD caps, std::unique_ptr<BYTE[]> pixels,
              DdPalette* palette);
    ~DdSurface() override;

    // Takes the surface for exclusive use from Free; false when someone else holds it.
    bool Claim(Access how);
    bool Unclaim(Access how);
    // The pixels of `area` (or of the whole surface) may change. (ddraw_surface_changes.cpp)
    void Changing(const RECT& area);
    void ChangingAll();
    void Copying(const CopyReceipts::Copy& copy);
    // The locked area may change: the whole surface, or a part of it.
    void ChangingLocked();
    void NoteChanged(const RECT& area);
    RECT Whole() const;
    // True when `area` is a rectangle of at least one pixel inside the surface.
    bool Within(const RECT& area) const;
    // Moves the version on, remembering which area changed.
    void NewVersion(const RECT& area);
    // Adds the parts of `area` whose pixels or key changed between the two versions, as far as the
    // changes remembered tell; false when they do not go back that far.
    bool ChangesBetween(std::uint64_t since, std::uint64_t until, const RECT& area, std::vector<RECT>* changed) const;
    static bool SourceChanges(const void* source, std::uint64_t since, std::uint64_t until, const RECT& area,
                              std::vector<RECT>* changed);
    void Describe(DDSURFACEDESC* desc) const;
    HRESULT Fill(const RECT& rect, DWORD value);
    HRESULT Copy(const RECT& dest, DdSurface& source, const RECT& sourceRect, bool keyed);
    // The fill and the copy themselves, without the frame journal.
    HRESULT DoFill(const RECT& rect, DWORD value);
    HRESULT DoCopy(const RECT& dest, DdSurface& source, const RECT& sourceRect, bool keyed);

    // Does the copies and fills held back that are due.
    void DoHeld(const std::vector<FrameJournal::Op>& due);
    // Does all that is held back: before the pixels are read.
    void CatchUp();
    // Before `area` of this surface (its pixels or its key) changes: the surfaces holding back
    // copies from there do them.
    void BeforeChange(const RECT& area);
    void BeforeChange() { BeforeChange(Whole()); }
    void HoldBack(const FrameJournal::Op& op, DdSurface* source);
    void ForgetSources();
    void AddReader(DdSurface* reader);
    void RemoveReader(DdSurface* reader);

    std::atomic<ULONG> references_{1};
    std::atomic<Access> access_{Access::Free};
    bool writableLock_ = false;
    RECT lockedArea_{};
    // Changes with the pixels and the key.
    std::atomic<std::uint64_t> version_{NextSurfaceVersion()};
    // Changes to `area` at versions from `first` to `last`; `joined` when they were joined
    // along a line.
    struct Change {
        std::uint64_t first;
        std::uint64_t last;
        RECT area;
        bool joined;
    };
    std::vector<Change> history_;
    // history_ holds every change after this version.
    std::uint64_t historyFrom_ = 0;
    CopyReceipts receipts_;
    std::vector<RECT> changed_;
    bool changedAll_ = true;
    // Back buffers only.
    std::unique_ptr<FrameJournal> journal_;
    // The back buffers holding back copies from this surface, and the sources this one holds back
    // copies from.
    std::vector<DdSurface*> readers_;
    std::vector<DdSurface*> heldSources_;
    const DWORD width_;
    const DWORD height_;
    const LONG pitch_;
    const DDPIXELFORMAT format_;
    const DWORD caps_;
    const std::unique_ptr<BYTE[]> pixels_;
    DdPalette* const palette_;
    bool hasKey_ = false;
    DDCOLORKEY key_{};
};

}  // namespace platform
