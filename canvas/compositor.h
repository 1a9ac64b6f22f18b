// Composes each frame on a background surface and moves only the changed rectangles onto the back
// surface. Drawing code wipes an area from the backdrop (a clean copy of the background), draws
// onto the background and queues the rectangles it touched. After each flip the screen switches
// the compositor to its other page and lets it apply that page, so a rectangle queued in one frame
// reaches the back surface at the end of the next.
#pragma once

#include "platform/api/ddraw.h"
#include "platform/api/types.h"
#include "canvas/dirty_rect.h"
#include "base/object_list.h"

class ScreenImage;

// The flags of a queued rectangle. Its lifetime: deleted after it has been applied once.
inline constexpr int kDirtyOneShot = 0x0001;
// Its transfer. Queued on both pages, so that it reaches both buffers of a flipping display.
inline constexpr int kDirtyBothPages = 0x0002;
// By copying the area from the background onto the target.
inline constexpr int kDirtyCopy = 0x1000;
// By first wiping the area of the background from the backdrop, then copying it.
inline constexpr int kDirtyRestoreAndCopy = 0x2000;
// What every rectangle this program queues carries.
inline constexpr int kDirtyOneShotCopy = kDirtyOneShot | kDirtyCopy;

class Compositor {
public:
    Compositor();
    ~Compositor();
    Compositor(const Compositor&) = delete;
    Compositor& operator=(const Compositor&) = delete;

    // Drops the one-shot rectangles of the current page first: they were queued for the old picture.
    void SetBackground(LPDIRECTDRAWSURFACE7 surface);
    void SetBackdrop(LPDIRECTDRAWSURFACE7 surface);
    LPDIRECTDRAWSURFACE7 GetBackground() const { return background_; }
    LPDIRECTDRAWSURFACE7 GetBackdrop() const { return backdrop_; }
    // The program's back surface, the target of all drawing.
    LPDIRECTDRAWSURFACE7 GetBackSurface() const;

    // Wipes the area of the background from the backdrop and queues it.
    void RestoreRect(int x, int y, int width, int height);
    // A dialog's area. The canvas sits below the screens, so this and RestoreSpriteRect read the
    // two classes through whatever type the caller hands in: a dialog's placement, a sprite's position.
    template <class Dialog>
    void RestoreDialogRect(const Dialog* dialog) {
        if (dialog == nullptr) return;
        const RECT& placed = dialog->GetPlacement();
        RestoreRect(placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top);
    }
    // Queues the whole background without wiping anything.
    void MarkAllDirty();
    // Queues the rectangle with its lifetime (kDirtyOneShot or 0) and its transfer (kDirtyCopy or
    // kDirtyRestoreAndCopy, perhaps with kDirtyBothPages) combined.
    void AddDirtyRect(const RECT& rect, int lifetime, int transfer);
    void AddDirtyArea(int x, int y, int width, int height, int lifetime, int transfer);

    void SwitchPage() { currentPage_ = 1 - currentPage_; }
    // Applies the current page's rectangles to the target, deleting the one-shot ones.
    void Update(LPDIRECTDRAWSURFACE7 target);
    void ClearOneShot();
    // Queue every rectangle on both pages.
    void SetBothPages(int flag) { bothPages_ = flag != 0 ? 1 : 0; }
    int CurrentPage() const { return currentPage_; }
    int QueuedOn(int page) const { return pages_[page & 1]->Count(); }

    // Forgets every rectangle and both surfaces, as at the start: the program's surfaces are gone
    // when it ends, and a program run next in the same process (the browser's) starts afresh.
    void Reset();

    // Kept for a complete interface; unused by this game.
    void RestoreAll();
    void RestoreImageRect(const ScreenImage* image);
    template <class SpriteType>
    void RestoreSpriteRect(const SpriteType* sprite) {
        if (sprite == nullptr) return;
        RestoreRect(static_cast<int>(sprite->X()), static_cast<int>(sprite->Y()), sprite->Width(), sprite->Height());
    }
    // Copies the backdrop straight onto the back surface; nothing is queued.
    void ShowBackdrop();
    void ShowBackdropRect(int x, int y, int width, int height);

private:
    void Queue(int x, int y, int width, int height, int flags);
    void DeleteAt(ObjectList<DirtyRect>* page, int index);
    bool CoveredOnPage(int index) const;
    bool WipesOnPage() const;

    int currentPage_ = 0;
    ObjectList<DirtyRect>* pages_[2];
    LPDIRECTDRAWSURFACE7 background_ = nullptr;
    LPDIRECTDRAWSURFACE7 backdrop_ = nullptr;
    int bothPages_ = 0;
};

extern Compositor g_Compositor;
