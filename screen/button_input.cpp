// The button's two input paths: the polled one the screens use, and the window-message one.
#include "platform/api/user.h"
#include "screen/button.h"
#include "surface/surface.h"

bool Button::Contains(int px, int py, bool farEdgesInside) const {
    const int left = hitX_ + originX_;
    const int top = hitY_ + originY_;
    if (px < left || py < top) return false;
    if (farEdgesInside) return px <= left + hitWidth_ && py <= top + hitHeight_;
    return px < left + hitWidth_ && py < top + hitHeight_;
}

Button::Pixel Button::PixelUnder(int px, int py) const {
    if (FrameCount() == 0 || frames_->At(0)->surface == nullptr) return Pixel::kUnknown;
    LPDIRECTDRAWSURFACE7 frame = frames_->At(0)->surface;
    const int value = ReadPixel(frame, px - (hitX_ + originX_), py - (hitY_ + originY_));
    return value == (PackRGB(frame, 0, 0, 255) & 0xFFFF) ? Pixel::kTransparent : Pixel::kOpaque;
}

void Button::Become(int state) {
    state_ = state;
    DrawTo(nullptr);
}

void Button::BecomeNormal() {
    if (state_ != kNormal) Become(kNormal);
}

int Button::UpdatePointer(int px, int py, int buttons) {
    if (enabled_ == 0) return state_;
    const bool inside = Contains(px, py, false);
    pointerInside_ = inside ? 1 : 0;
    clicked_ = 0;
    clickKind_ = 0;
    if (!inside) {
        BecomeNormal();
        return state_;
    }
    // Without the pixel test every point of the sensitive area counts as over the button.
    const Pixel pixel = pixelHitTest_ != 0 ? PixelUnder(px, py) : Pixel::kOpaque;
    if ((buttons & 1) != 0) {
        if (state_ != kPressed && pixel == Pixel::kOpaque) Become(kPressed);
    } else if (pixel == Pixel::kOpaque) {
        if (state_ == kPressed) {
            clicked_ = 1;
            clickKind_ = 1;
        }
        if (state_ != kHighlighted) Become(kHighlighted);
    } else if (pixel == Pixel::kTransparent) {
        Become(kNormal);
    }
    return state_;
}

int Button::HandleMouseMessage(UINT message, WPARAM, LPARAM lParam) {
    if (enabled_ == 0) return state_;
    const bool inside = Contains(LOWORD(static_cast<std::uintptr_t>(lParam)),
                                 HIWORD(static_cast<std::uintptr_t>(lParam)), true);
    pointerInside_ = inside ? 1 : 0;
    clicked_ = 0;
    clickKind_ = 0;
    switch (message) {
    case WM_MOUSEMOVE:
        if (!inside) {
            BecomeNormal();
        } else if (state_ != kHighlighted && state_ != kPressed) {
            Become(kHighlighted);
        }
        break;
    case WM_LBUTTONDOWN:
        if (!inside) {
            BecomeNormal();
        } else if (state_ != kPressed) {
            Become(kPressed);
        }
        break;
    case WM_LBUTTONUP:
        if (!inside) {
            BecomeNormal();
            break;
        }
        clicked_ = 1;
        clickKind_ = 1;
        if (state_ != kHighlighted) Become(kHighlighted);
        break;
    case WM_RBUTTONUP:
        if (inside) {
            clicked_ = 1;
            clickKind_ = 2;
        }
        break;
    default: break;
    }
    return state_;
}

void Button::PressByKey() {
    if (enabled_ != 0 && state_ != kPressed) Become(kPressed);
}

void Button::ReleaseByKey() {
    // Over the button with the pointer up, the pointer's update has already made this click.
    if (enabled_ == 0 || clicked_ != 0) return;
    clicked_ = 1;
    clickKind_ = 1;
    const int rest = pointerInside_ != 0 ? kHighlighted : kNormal;
    if (state_ != rest) Become(rest);
}
