#include "canvas/compositor.h"

#include "canvas/screen_image.h"
#include "base/app_globals.h"
#include "surface/surface.h"

Compositor g_Compositor;

namespace {

// The same rectangle on both surfaces, clipped to the target, pure blue of the source skipped.
void CopyArea(LPDIRECTDRAWSURFACE7 source, LPDIRECTDRAWSURFACE7 target, int x, int y, int width, int height) {
    if (source == nullptr || target == nullptr) return;
    BlitRect(source, x, y, width, height, target, x, y, -1);
}

}  // namespace

Compositor::Compositor() : pages_{new ObjectList<DirtyRect>(1), new ObjectList<DirtyRect>(1)} {}

Compositor::~Compositor() {
    for (ObjectList<DirtyRect>* page : pages_) {
        page->DeleteAll();
        delete page;
    }
}

void Compositor::Reset() {
    for (ObjectList<DirtyRect>* page : pages_) page->DeleteAll();
    currentPage_ = 0;
    background_ = nullptr;
    backdrop_ = nullptr;
    bothPages_ = 0;
}

void Compositor::SetBackground(LPDIRECTDRAWSURFACE7 surface) {
    ClearOneShot();
    background_ = surface;
}

void Compositor::SetBackdrop(LPDIRECTDRAWSURFACE7 surface) { backdrop_ = surface; }

LPDIRECTDRAWSURFACE7 Compositor::GetBackSurface() const { return g_lpBackSurface; }

void Compositor::RestoreRect(int x, int y, int width, int height) {
    CopyArea(backdrop_, background_, x, y, width, height);
    Queue(x, y, width, height, kDirtyOneShotCopy);
}

void Compositor::RestoreAll() {
    int width = 0;
    int height = 0;
    GetSurfaceSize(background_, &width, &height);
    RestoreRect(0, 0, width, height);
}

void Compositor::RestoreImageRect(const ScreenImage* image) {
    if (image != nullptr) RestoreRect(image->x, image->y, image->width, image->height);
}

void Compositor::MarkAllDirty() {
    int width = 0;
    int height = 0;
    GetSurfaceSize(background_, &width, &height);
    Queue(0, 0, width, height, kDirtyOneShotCopy);
}

void Compositor::AddDirtyRect(const RECT& rect, int lifetime, int transfer) {
    Queue(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, lifetime | transfer);
}

void Compositor::AddDirtyArea(int x, int y, int width, int height, int lifetime, int transfer) {
    Queue(x, y, width, height, lifetime | transfer);
}

void Compositor::ShowBackdrop() {
    int width = 0;
    int height = 0;
    GetSurfaceSize(backdrop_, &width, &height);
    ShowBackdropRect(0, 0, width, height);
}

void Compositor::ShowBackdropRect(int x, int y, int width, int height) {
    CopyArea(backdrop_, GetBackSurface(), x, y, width, height);
}

void Compositor::Queue(int x, int y, int width, int height, int flags) {
    const DirtyRect record{x, y, width, height, flags, background_, backdrop_};
    if ((flags & kDirtyBothPages) == 0 && bothPages_ == 0) {
        pages_[currentPage_]->Push(new DirtyRect(record));
        return;
    }
    pages_[0]->Push(new DirtyRect(record));
    pages_[1]->Push(new DirtyRect(record));
}

// Whether the copy queued at `index` is done by another copy of the page. While no record of the
// page wipes the background, every copy reads the background as it is and writes each pixel as a
// function of the background's pixel there and its own (itself, or where the background is blue,
// what it held), so doing it twice is doing it once: a rectangle within another is left to that
// one, whichever comes first. A score's digits lie within its box.
bool Compositor::CoveredOnPage(int index) const {
    const ObjectList<DirtyRect>* page = pages_[currentPage_];
    const DirtyRect& r = *page->At(index);
    for (int i = 0; i < page->Count(); ++i) {
        const DirtyRect& other = *page->At(i);
        if (i == index || (other.flags & kDirtyCopy) == 0 || other.background != background_) continue;
        const bool within = other.x <= r.x && other.y <= r.y && r.x + r.width <= other.x + other.width &&
                            r.y + r.height <= other.y + other.height;
        const bool same = other.x == r.x && other.y == r.y && other.width == r.width && other.height == r.height;
        // Of two records of the same rectangle, the first is done.
        if (within && (!same || i < index)) return true;
    }
    return false;
}

bool Compositor::WipesOnPage() const {
    const ObjectList<DirtyRect>* page = pages_[currentPage_];
    for (int i = 0; i < page->Count(); ++i)
        if ((page->At(i)->flags & kDirtyRestoreAndCopy) != 0) return true;
    return false;
}

void Compositor::Update(LPDIRECTDRAWSURFACE7 target) {
    ObjectList<DirtyRect>* page = pages_[currentPage_];
    const bool wipes = WipesOnPage();
    for (int i = 0; i < page->Count(); ++i) {
        const DirtyRect& r = *page->At(i);
        if ((r.flags & kDirtyCopy) != 0) {
            if (r.background == background_ && (wipes || !CoveredOnPage(i)))
                CopyArea(background_, target, r.x, r.y, r.width, r.height);
        } else if ((r.flags & kDirtyRestoreAndCopy) != 0) {
            if (r.backdrop == backdrop_) CopyArea(backdrop_, background_, r.x, r.y, r.width, r.height);
            if (r.background == background_) CopyArea(background_, target, r.x, r.y, r.width, r.height);
        }
    }
    ClearOneShot();
}

void Compositor::ClearOneShot() {
    ObjectList<DirtyRect>* page = pages_[currentPage_];
    for (int i = 0; i < page->Count();) {
        if ((page->At(i)->flags & kDirtyOneShot) != 0) {
            DeleteAt(page, i);
        } else {
            ++i;
        }
    }
}

void Compositor::DeleteAt(ObjectList<DirtyRect>* page, int index) {
    DirtyRect* record = page->At(index);
    page->Remove(record);
    delete record;
}
