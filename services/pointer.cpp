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

}  // namespace

Pointer::Pointer() : images_(new ObjectList<ScreenImage>(1)) {}

void Pointer::GetState(int* x, int* y, int* buttons, int* left, int* right) {
    CatchUpTicks();
    if (x != nullptr) *x = x_;
    if (y != nullptr) *y = y_;
    if (buttons != nullptr) *buttons = buttons_.load();
    if (const int before = TakePress(leftPresses_); before > 0 && left != nullptr) *left = before - 1;
    if (const int before = TakePress(rightPresses_); before > 0 && right != nullptr) *right = before - 1;
}

void Pointer::Tick() {
    int x = 0;
    int y = 0;
    int buttons = 0;
    QZGetMouseData(&x, &y, &buttons);
    buttons_ = buttons;
    const int left = buttons & 1;
    const int right = buttons & 2;
    if (left && !previousLeft_) ++leftPresses_;
    if (right && !previousRight_) ++rightPresses_;
    previousLeft_ = left;
    previousRight_ = right;
}
