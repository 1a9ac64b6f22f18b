// Composes each frame on a background surface and moves only the changed rectangles onto the back
// surface. Drawing code wipes an area from the backdrop (a clean copy of the background), draws
// onto the background and queues the rectangles it touched. After each flip the screen switches
// the compositor to its other page and lets it apply that page, so a rectangle queued in one frame
// reaches the back surface at the end of the next.
#pragma once

#include "platform/ddraw.h"
#include "platform/win32/types.h"
#include "screen/dirty_rect.h"
#include "screen/object_list.h"

class DialogScreen;
class ScreenImage;
class Sprite;

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
    // Lives with the screens, as RestoreSpriteRect does: they read a dialog's placement and a
    // sprite's position.
    void RestoreDialogRect(const DialogScreen* dialog);
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

    // Kept for a complete interface; unused by this game.
    void RestoreAll();
    void RestoreImageRect(const ScreenImage* image);
    void RestoreSpriteRect(const Sprite* sprite);
    // Copies the backdrop straight onto the back surface; nothing is queued.
    void ShowBackdrop();
    void ShowBackdropRect(int x, int y, int width, int height);

private:
    void Queue(int x, int y, int width, int height, int flags);
    void DeleteAt(ObjectList<DirtyRect>* page, int index);

    int currentPage_ = 0;
    ObjectList<DirtyRect>* pages_[2];
    LPDIRECTDRAWSURFACE7 background_ = nullptr;
    LPDIRECTDRAWSURFACE7 backdrop_ = nullptr;
    int bothPages_ = 0;
};

extern Compositor g_Compositor;
