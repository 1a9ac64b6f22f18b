// Sprite frames, loading and drawing; the two timing schemes are in sprite_animation.cpp.
#include "screen/sprite.h"

#include <cstdio>

#include "platform/api/qz.h"
#include "platform/api/user.h"
#include "canvas/compositor.h"
#include "surface/surface.h"

namespace {

// Truncation toward zero, held to the int range so that a sprite moved far away stays defined.
int Truncate(float value) {
    if (value >= 2147483520.0f) return 2147483520;
    if (value <= -2147483520.0f) return -2147483520;
    return static_cast<int>(value);
}

}  // namespace

Sprite::Sprite() : frames_(new ObjectList<IDirectDrawSurface>(1)) { name_[0] = '\0'; }

Sprite::~Sprite() {
    if (sharedFrames_ == 0) {
        for (int i = 0; i < FrameCount(); ++i) frames_->At(i)->Release();
    }
    delete frames_;
}

void Sprite::SetPosition(int x, int y) {
    x_ = static_cast<float>(x);
    y_ = static_cast<float>(y);
}

void Sprite::DrawOnBackground() { Draw(g_Compositor.GetBackground()); }

void Sprite::Draw(LPDIRECTDRAWSURFACE7 target) {
    // The wiped area is the one at the unshifted position, also for a centred sprite.
    if (restoreBackground_ != 0) g_Compositor.RestoreRect(Truncate(x_), Truncate(y_), width_, height_);
    if (frameIndex_ < 0 || frameIndex_ >= FrameCount()) return;
    LPDIRECTDRAWSURFACE7 frame = frames_->At(frameIndex_);
    if (frame == nullptr) return;
    const float leftEdge = centered_ != 0 ? x_ - static_cast<float>(width_ / 2) : x_;
    const float topEdge = centered_ != 0 ? y_ - static_cast<float>(height_ / 2) : y_;
    const int left = Truncate(leftEdge);
    const int top = Truncate(topEdge);
    if (visible_ != 0) BlitSurface(frame, target, left, top, -1);
    // Also while hidden: what was shown there before has to leave the screen.
    if (markDirty_ != 0) {
        g_Compositor.AddDirtyRect(RECT{left, top, left + width_, top + height_}, kDirtyOneShot, kDirtyCopy);
    }
}

void Sprite::Move() {
    x_ += dx_;
    y_ += dy_;
}

void Sprite::SetFrameRect(int left, int top, int right, int bottom) {
    frameLeft_ = left;
    frameTop_ = top;
    frameRight_ = right;
    frameBottom_ = bottom;
}

void Sprite::SetFrame(int index) {
    if (index >= 0 && index < FrameCount()) frameIndex_ = index;
}

void Sprite::SetVisible(int flag) { visible_ = flag; }

void Sprite::SetFrameDelay(int ticks) { frameDelay_ = ticks; }

void Sprite::SetColorKey(int red, int green, int blue) {
    for (int i = 0; i < FrameCount(); ++i) SetColorKeyRGB(frames_->At(i), red, green, blue);
}

void Sprite::SetFrameIndex(int index) { frameIndex_ = index; }

void Sprite::SetWholeRange() {
    firstFrame_ = 0;
    endFrame_ = FrameCount();
}

int Sprite::AddFrame(LPDIRECTDRAWSURFACE7 surface) {
    if (surface == nullptr || frames_ == nullptr) return 1;
    SetColorKeyRGB(surface, 0, 0, 255);
    int width = 0;
    int height = 0;
    GetSurfaceSize(surface, &width, &height);
    SetFrameRect(0, 0, width, height);
    frames_->Push(surface);
    SetWholeRange();
    if (width != width_ || height != height_) sizeChanged_ = 1;
    width_ = width;
    height_ = height;
    return 1;
}

int Sprite::AddFrameFile(const char* file) {
    LPDIRECTDRAWSURFACE7 surface = file != nullptr ? QZLoadBitmap(file) : nullptr;
    if (surface == nullptr) {
        MessageBoxA(nullptr, file != nullptr ? file : "", "ERROR: can't find file!", MB_OK);
        return 1;
    }
    return AddFrame(surface);
}

int Sprite::AddBorrowedFrame(LPDIRECTDRAWSURFACE7 surface) {
    sharedFrames_ = 1;
    return AddFrame(surface);
}

int Sprite::LoadStrip(const char* file, int count, int vertical) {
    // A count below 1 cannot divide the picture into frames.
    if (file == nullptr || count < 1) return 0;
    LPDIRECTDRAWSURFACE7 picture = QZLoadBitmap(file);
    if (picture == nullptr) return 0;
    int width = 0;
    int height = 0;
    GetSurfaceSize(picture, &width, &height);
    CutFramesFromSurface(picture, frames_, vertical == 0 ? width / count : width,
                         vertical == 0 ? height : height / count, nullptr);
    picture->Release();
    width_ = width;
    height_ = height;
    SetWholeRange();
    return FrameCount();
}

void Sprite::LoadGrid(const char* file, int frameWidth, int frameHeight) {
    if (file != nullptr) CutFramesFromFile(file, frames_, frameWidth, frameHeight, nullptr);
    width_ = frameWidth;
    height_ = frameHeight;
    SetWholeRange();
}

void Sprite::SetAnimRange(int first, int end) {
    firstFrame_ = first;
    endFrame_ = end;
}

void Sprite::SetName(const char* text) { std::snprintf(name_, sizeof name_, "%s", text != nullptr ? text : ""); }

void Sprite::SetAnimating(int flag) { animating_ = flag; }

void Sprite::SetLoopMode(int mode) { loopMode_ = mode; }

void Sprite::SetMarkDirty(int flag) { markDirty_ = flag; }

void Sprite::FitWidthToFrames() {
    if (FrameCount() > 0) width_ /= FrameCount();
}

void Sprite::SetCentered(int flag) { centered_ = flag; }
