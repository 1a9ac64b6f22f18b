#include "screen/still_frames.h"

#include "services/message_pump.h"
#include "services/pointer.h"

bool StillFrames::LeaveOut(bool nothingDue) {
    const unsigned messages = MessagesTaken();
    calm_ = nothingDue && messages == messages_ && g_Pointer.SameAsTaken();
    messages_ = messages;
    if (!calm_) calmInRow_ = 0;
    return calm_ && calmInRow_ >= kCalmBefore && unchanged_;
}

void StillFrames::Flipped(bool unchanged) {
    unchanged_ = unchanged;
    if (calm_ && calmInRow_ < kCalmBefore) ++calmInRow_;
}
