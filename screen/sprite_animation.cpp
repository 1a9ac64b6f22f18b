// The sprite's two timing schemes: Animate runs within the animation range and obeys the loop
// mode; StepFrame walks the whole frame list and may wrap.
#include "screen/sprite.h"
#include "services/tick_timer.h"

void Sprite::Stop(int index) {
    animating_ = 0;
    frameIndex_ = index;
}

void Sprite::Animate() {
    if (animationEnabled_ == 0 || firstFrame_ == -1) return;
    if (TicksSince(frameTime_) <= frameDelay_) return;
    frameTime_ = GetTickClock();
    if (animating_ != 0) {
        frameIndex_ += frameStep_;
        SetFrame(frameIndex_);
    }
    // Both ends are checked on every due tick, also once the animation has stopped. Restart goes
    // back to frame 0, not to the start of the range.
    if (frameIndex_ >= endFrame_) {
        switch (loopMode_) {
        case kRestart: frameIndex_ = 0; break;
        case kStopAtEnd: Stop(endFrame_ - 1); break;
        case kVanish: Stop(-1); break;
        case kRewind: Stop(firstFrame_); break;
        default: break;
        }
    }
    if (frameIndex_ < 0) {
        switch (loopMode_) {
        case kRestart: frameIndex_ = endFrame_ - 1; break;
        case kStopAtEnd:
        case kRewind: Stop(firstFrame_); break;
        case kVanish: Stop(-1); break;
        default: break;
        }
    }
}

int Sprite::StepFrame() {
    const int now = GetTickClock();
    if (frameTime_ >= now) return 0;
    const int next = frameIndex_ + frameStep_;
    if (next >= 0 && next < FrameCount()) {
        frameIndex_ = next;
    } else if (wrap_ != 0) {
        frameIndex_ = frameStep_ == 1 ? 0 : FrameCount() - 1;
    }
    frameTime_ = now + frameDelay_;
    return 1;
}
