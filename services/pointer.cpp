// The pointer's input half: position and button sampling; its picture is in pointer_picture.cpp.
#include "services/pointer.h"

#include "platform/api/qz.h"
#include "base/object_list.h"
#include "services/tick_timer.h"

Pointer g_Pointer;

namespace {

// Takes one press from a counter shared with the timer thread; returns the count before.
int TakePress(std::atomic<int>& presses) {
    int count = presses.load();
    while (count > 0 && !presses.compare_exchange_weak(count, count - 1)) {}
    return count;
}

// The bit a frame sees for one button. A press no frame has seen yet shows as down; one that comes
// while the button is shown down shows a release first, so each press is one down and one up to
// the screens however quickly presses follow one another. Without unseen presses, the sample.
int ShownBit(std::atomic<int>& unseen, int& shown, int sampled) {
    if (unseen.load() == 0) return shown = sampled;
    if (shown != 0) return shown = 0;
    TakePress(unseen);
    return shown = 1;
}

}  // namespace

Pointer::Pointer() : images_(new ObjectList<ScreenImage>(1)) {}

void Pointer::GetState(int* x, int* y, int* buttons, int* left, int* right) {
    CatchUpTicks();
    takenX_ = x_;
    takenY_ = y_;
    if (x != nullptr) *x = x_;
    if (y != nullptr) *y = y_;
    const int sampled = buttons_.load();
    const int shown = ShownBit(leftUnseen_, leftShown_, sampled & 1) |
                      ShownBit(rightUnseen_, rightShown_, (sampled >> 1) & 1) << 1;
    if (buttons != nullptr) *buttons = shown;
    if (const int before = TakePress(leftPresses_); before > 0 && left != nullptr) *left = before - 1;
    if (const int before = TakePress(rightPresses_); before > 0 && right != nullptr) *right = before - 1;
}

bool Pointer::SameAsTaken() {
    CatchUpTicks();
    const int sampled = buttons_.load();
    return leftUnseen_.load() == 0 && rightUnseen_.load() == 0 && leftPresses_.load() == 0 &&
           rightPresses_.load() == 0 && x_ == takenX_ && y_ == takenY_ && (sampled & 1) == leftShown_ &&
           ((sampled >> 1) & 1) == rightShown_;
}

void Pointer::Tick() {
    int x = 0;
    int y = 0;
    int buttons = 0;
    // Counted from the presses themselves, not from two samples' bits: a press and release inside
    // one tick followed by a press in the next reads "down" at both samples, yet is two presses.
    int left = 0;
    int right = 0;
    QZGetMouseData(&x, &y, &buttons, &left, &right);
    leftPresses_ += left;
    rightPresses_ += right;
    // Before the bits: a frame that sees the new bits sees these presses too.
    leftUnseen_ += left;
    rightUnseen_ += right;
    buttons_ = buttons;
}
