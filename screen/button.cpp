// Button construction, frames and drawing; the two input paths are in button_input.cpp.
#include "screen/button.h"

#include <cstdio>

#include "platform/api/qz.h"
#include "canvas/compositor.h"
#include "surface/surface.h"

Button::Button(int x, int y) : Button(x, y, 0, 0) {}

Button::Button(int x, int y, int width, int height)
    : x_(x),
      y_(y),
      width_(width),
      height_(height),
      hitX_(x),
      hitY_(y),
      hitWidth_(width),
      hitHeight_(height),
      frames_(new ObjectList<ButtonFrame>(1)) {
    name_[0] = '\0';
}

Button::Button() : Button(0, 0, 0, 0) {}

Button::~Button() {
    if (frames_ == nullptr) return;
    for (int i = 0; i < frames_->Count(); ++i) {
        if (frames_->At(i)->owned) frames_->At(i)->surface->Release();
    }
    frames_->DeleteAll();
    delete frames_;
}

int Button::AddFrameSurface(int index, LPDIRECTDRAWSURFACE7 surface) {
    if (surface == nullptr) return 0;
    SetColorKeyRGB(surface, 0, 0, 255);
    if (frames_ == nullptr) frames_ = new ObjectList<ButtonFrame>(1);
    frames_->Push(new ButtonFrame{index, surface, false});
    GetSurfaceSize(surface, &width_, &height_);
    hitWidth_ = width_;
    hitHeight_ = height_;
    return 1;
}

int Button::AddFrameFile(int index, const char* file) {
    LPDIRECTDRAWSURFACE7 surface = file != nullptr ? QZLoadBitmap(file, 16) : nullptr;
    if (surface == nullptr) return 0;
    AddFrameSurface(index, surface);
    frames_->At(frames_->Count() - 1)->owned = true;
    return 1;
}

void Button::LoadStrip(const char* file, int count, int vertical) {
    if (file == nullptr || count < 1) return;
    LPDIRECTDRAWSURFACE7 picture = QZLoadBitmap(file);
    if (picture == nullptr) return;
    int width = 0;
    int height = 0;
    GetSurfaceSize(picture, &width, &height);
    const int frameWidth = vertical == 0 ? width / count : width;
    const int frameHeight = vertical == 0 ? height : height / count;
    ObjectList<IDirectDrawSurface> cut(1);
    CutFramesFromSurface(picture, &cut, frameWidth, frameHeight, nullptr);
    picture->Release();
    if (cut.Count() != count) {
        for (int i = 0; i < cut.Count(); ++i) cut.At(i)->Release();
        return;
    }
    for (int i = 0; i < count; ++i) {
        AddFrameSurface(i, cut.At(i));
        frames_->At(frames_->Count() - 1)->owned = true;
    }
}

void Button::DrawTo(LPDIRECTDRAWSURFACE7 surface) {
    DrawOn(surface != nullptr ? surface : g_Compositor.GetBackSurface());
}

void Button::SetHighlightOffset(int offset) {
    highlightOffset_ = offset;
    Redraw();
}

// The frame for the state, unless frame 0 or an override is asked for. A state past the last frame
// draws the last frame, and so does a frame 0 or override that names no frame of this button.
int Button::ChosenFrame() const {
    const int count = FrameCount();
    const int stateFrame = state_ + highlightOffset_;
    int chosen = stateFrame;
    if (firstFrameOnly_ != 0) chosen = 0;
    if (frameOverride_ != -1) chosen = frameOverride_;
    if (stateFrame >= count || chosen < 0 || chosen >= count) chosen = count - 1;
    return chosen;
}

void Button::DrawOn(LPDIRECTDRAWSURFACE7 target) {
    if (target == nullptr || FrameCount() == 0) return;
    RECT rect;
    rect.left = x_ + originX_;
    rect.top = y_ + originY_;
    rect.right = rect.left + width_;
    rect.bottom = rect.top + height_;
    if (markDirty_ != 0) g_Compositor.AddDirtyRect(rect, kDirtyOneShot, kDirtyCopy);
    // Not clipped: a button partly off the target is refused by Blt and not drawn at all.
    target->Blt(&rect, frames_->At(ChosenFrame())->surface, nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr);
}

void Button::Redraw() {
    if (enabled_ != 0) DrawOn(g_Compositor.GetBackSurface());
}

int Button::WasClicked() { return clicked_; }

void Button::ResetState() {
    SetState(kNormal);
    Redraw();
}

void Button::SetName(const char* text) { std::snprintf(name_, sizeof name_, "%s", text != nullptr ? text : ""); }

void Button::SetOrigin(int x, int y) {
    originX_ = x;
    originY_ = y;
}

void Button::SetEnabled(int flag) { enabled_ = flag; }

void Button::DrawOnPictures(int flag) {
    if (flag == 0) return;
    // A missing picture is skipped: DrawTo would take null for the back surface.
    if (g_Compositor.GetBackdrop() != nullptr) DrawTo(g_Compositor.GetBackdrop());
    if (g_Compositor.GetBackground() != nullptr) DrawTo(g_Compositor.GetBackground());
}

void Button::SwapFirstFrames() {
    if (FrameCount() < 2) return;
    ButtonFrame* first = frames_->At(0);
    frames_->Set(0, frames_->At(1));
    frames_->Set(1, first);
    Redraw();
}

void Button::SetFirstFrameOnly(int flag) { firstFrameOnly_ = flag; }

void Button::SetState(int state) { state_ = state; }

int Button::GetState() { return state_; }

void Button::SetHitRect(int x, int y, int width, int height) {
    hitX_ = x;
    hitY_ = y;
    hitWidth_ = width;
    hitHeight_ = height;
}

void Button::SetMarkDirty(int flag) { markDirty_ = flag; }

void Button::SetPixelHitTest(int flag) { pixelHitTest_ = flag; }

int Button::IsPointerInside() { return pointerInside_; }

void Button::SetFrameOverride(int index) { frameOverride_ = index; }

int Button::GetFrameOverride() { return frameOverride_; }
