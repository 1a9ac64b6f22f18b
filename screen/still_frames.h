// Which frames a screen may leave out. A frame is calm when no message came since the frame before,
// the pointer is where and as that frame took it, and the screen has nothing due at this time (no
// click to act on, no timed change). A frame's work is a function of the state it starts from and
// its input, and a calm frame has the input of the one before, which left the state as a frame with
// that input leaves it: from the second calm frame in a row on, each asks for the same copies and
// queues the same areas for the compositor as the one before. A flip shows the copies of its frame
// and those the compositor applied after the flip before, which the frame two before queued; so
// after three calm frames in a row, the next flip's copies are the last flip's. When the last flip
// found nothing changed, a calm frame is left out (the copies applied after that flip stay held
// for the next frame done) and the display is told that nothing changed. Each frame keeps its slot.
#pragma once

class StillFrames {
public:
    // At the start of a frame, after the messages were pumped: true when it may be left out.
    bool LeaveOut(bool nothingDue);
    // After a frame that was done and flipped.
    void Flipped(bool unchanged);
    // A screen entered anew draws its first frames in full.
    void Reset() { calmInRow_ = 0; }

private:
    // Calm frames done in a row before this one.
    static constexpr int kCalmBefore = 3;

    unsigned messages_ = 0;
    bool calm_ = false;
    int calmInRow_ = 0;
    bool unchanged_ = false;
};
