// The pointer's drawing half: a picture of its own drawn over the back surface, with what lay
// beneath saved and put back after the flip. With a flipping display two save surfaces alternate
// with the display's pages.
#include "canvas/compositor.h"
#include "base/object_list.h"
#include "canvas/screen_image.h"
#include "services/pointer.h"
#include "surface/surface.h"

namespace {

// The part of the width x height rectangle at (x, y) that lies on the target; false when none does.
bool PartOnTarget(LPDIRECTDRAWSURFACE7 target, int x, int y, int width, int height, RECT* part) {
    int targetWidth = 0;
    int targetHeight = 0;
    GetSurfaceSize(target, &targetWidth, &targetHeight);
    part->left = x > 0 ? x : 0;
    part->top = y > 0 ? y : 0;
    part->right = x + width < targetWidth ? x + width : targetWidth;
    part->bottom = y + height < targetHeight ? y + height : targetHeight;
    return part->left < part->right && part->top < part->bottom;
}

// The same part in the coordinates of a save surface whose top-left stood at (x, y).
RECT InSave(const RECT& part, int x, int y) {
    return RECT{part.left - x, part.top - y, part.right - x, part.bottom - y};
}

}  // namespace

int Pointer::Init(const char* file) {
    saveIndex_ = 0;
    savedX_[0] = savedX_[1] = kNothingSaved;
    visible_ = 0;
    pageFlipping_ = 0;
    if (file == nullptr) return 1;
    auto* image = new ScreenImage(file);
    if (image->surface == nullptr) {
        delete image;
        return 1;
    }
    if (images_ == nullptr) images_ = new ObjectList<ScreenImage>(1);
    images_->Push(image);
    image->SetKeyColor(0, 0, 0);
    imageWidth_ = image->width;
    imageHeight_ = image->height;
    ReleaseSaveSurfaces();
    saveSurfaces_[0] = CreateOffscreenSurface(imageWidth_, imageHeight_);
    saveSurfaces_[1] = CreateOffscreenSurface(imageWidth_, imageHeight_);
    return 1;
}

void Pointer::SelectImage(int index) {
    currentImage_ = images_ != nullptr && index >= 0 && index < images_->Count() ? images_->At(index) : nullptr;
}

void Pointer::AdvanceSaveIndex() { saveIndex_ = pageFlipping_ ? 1 - saveIndex_ : 0; }

void Pointer::Draw(LPDIRECTDRAWSURFACE7 target) {
    LPDIRECTDRAWSURFACE7 save = saveSurfaces_[saveIndex_];
    const bool drawable = visible_ != 0 && currentImage_ != nullptr && currentImage_->surface != nullptr &&
                          save != nullptr && target != nullptr;
    RECT part;
    if (drawable && PartOnTarget(target, x_, y_, imageWidth_, imageHeight_, &part)) {
        RECT into = InSave(part, x_, y_);
        save->Blt(&into, target, &part, DDBLT_WAIT, nullptr);
        g_Compositor.AddDirtyArea(x_, y_, imageWidth_, imageHeight_, kDirtyOneShot, kDirtyCopy);
        savedX_[saveIndex_] = x_;
        savedY_[saveIndex_] = y_;
        BlitSurface(currentImage_->surface, target, x_, y_, -1);
    }
    AdvanceSaveIndex();
}

void Pointer::Erase(LPDIRECTDRAWSURFACE7 target) {
    const int x = savedX_[saveIndex_];
    const int y = savedY_[saveIndex_];
    if (x == kNothingSaved || target == nullptr) return;
    savedX_[saveIndex_] = kNothingSaved;
    RECT part;
    if (!PartOnTarget(target, x, y, imageWidth_, imageHeight_, &part)) return;
    RECT from = InSave(part, x, y);
    target->Blt(&part, saveSurfaces_[saveIndex_], &from, DDBLT_WAIT, nullptr);
}

void Pointer::ReleaseSaveSurfaces() {
    for (LPDIRECTDRAWSURFACE7& surface : saveSurfaces_) {
        if (surface != nullptr) surface->Release();
        surface = nullptr;
    }
}

void Pointer::Release() {
    ReleaseSaveSurfaces();
    if (images_ != nullptr) images_->DeleteAll();
    delete images_;
    images_ = nullptr;
    currentImage_ = nullptr;
}
