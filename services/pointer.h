// The global mouse state: where the pointer is (fed by mouse-move messages), what its buttons do
// (sampled by the timer thread every 10 ms, counting presses), and an optional pointer picture of
// its own drawn over the back surface.
#pragma once

#include <atomic>

#include "platform/api/ddraw.h"

class ScreenImage;
template <class T>
class ObjectList;

class Pointer {
public:
    Pointer();
    ~Pointer() { Release(); }
    Pointer(const Pointer&) = delete;
    Pointer& operator=(const Pointer&) = delete;

    // With a picture file: loads it as a pointer picture keyed to black and makes two save surfaces
    // of its size (a picture that cannot be loaded adds nothing). Always resets drawing to hidden,
    // nothing saved, no page flipping. Returns 1.
    int Init(const char* file);
    // An index that names no loaded picture selects none.
    void SelectImage(int index);
    void Hide() { visible_ = 0; }
    void SetPageFlipping(int flag) { pageFlipping_ = flag & 0xFF; }
    void SetPosition(int x, int y) {
        x_ = x;
        y_ = y;
    }
    // Copies the position and buttons out, and takes at most one counted press of each button;
    // `left`/`right` receive the presses that remain, and are left alone when none was counted.
    // The buttons are the last sample's, except that every press shows as its own down and up over
    // successive calls, even when it began and ended between two samples or followed another one
    // within a sample.
    void GetState(int* x, int* y, int* buttons, int* left, int* right);
    // True when GetState would now give what it gave last time, with no press to count.
    bool SameAsTaken();
    // Saves what lies under the picture at the pointer position, then draws the picture there,
    // both clipped to the target; hidden (or without a picture) it only moves to the next save.
    void Draw(LPDIRECTDRAWSURFACE7 target);
    // Puts back what Draw saved for the current save index.
    void Erase(LPDIRECTDRAWSURFACE7 target);
    // Samples the buttons; runs on the timer thread.
    void Tick();
    // Deletes the pictures and releases the save surfaces.
    void Release();

    // Kept for a complete interface; unused by this game.
    void Show() { visible_ = 1; }

private:
    // A saved x that cannot be a position: the pointer may stand partly off the left edge.
    static constexpr int kNothingSaved = -0x7FFFFFFF - 1;

    void AdvanceSaveIndex();
    void ReleaseSaveSurfaces();

    ScreenImage* currentImage_ = nullptr;
    ObjectList<ScreenImage>* images_ = nullptr;
    LPDIRECTDRAWSURFACE7 saveSurfaces_[2] = {nullptr, nullptr};
    int saveIndex_ = 0;
    int savedX_[2] = {kNothingSaved, kNothingSaved};
    int savedY_[2] = {kNothingSaved, kNothingSaved};
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    int visible_ = 0;
    int pageFlipping_ = 0;
    int x_ = 0;
    int y_ = 0;
    // Where GetState last found the pointer; nowhere at first.
    int takenX_ = kNothingSaved;
    int takenY_ = kNothingSaved;
    // Written on the timer thread, taken on the main thread.
    std::atomic<int> buttons_{0};
    std::atomic<int> leftPresses_{0};
    std::atomic<int> rightPresses_{0};
    // Presses not yet shown to a frame as a change of the button bits, and the bits last shown.
    std::atomic<int> leftUnseen_{0};
    std::atomic<int> rightUnseen_{0};
    int leftShown_ = 0;
    int rightShown_ = 0;
};

extern Pointer g_Pointer;
