// A movable picture with several equally sized frames, a floating-point position and velocity, and
// a small timed animation. It draws one frame at a time, blue pixels skipped, and can report the
// rectangle it drew to the compositor.
#pragma once

#include "platform/api/ddraw.h"
#include "base/object_list.h"

class Sprite {
public:
    // Loop modes: what Animate does when the frame index leaves the animation range.
    enum LoopMode { kStopAtEnd = 0, kRestart = 1, kRewind = 2, kVanish = 3 };

    Sprite();
    virtual ~Sprite();
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    virtual void SetPosition(int x, int y);
    virtual void Draw(LPDIRECTDRAWSURFACE7 target);
    // Ignores an index that names no frame.
    virtual void SetFrame(int index);
    // Cuts a picture of `count` frames side by side (stacked, when vertical) and appends them.
    // The width and height become the whole picture's. The number of frames, or 0 when the
    // picture cannot be loaded.
    virtual int LoadStrip(const char* file, int count, int vertical);
    virtual void SetMarkDirty(int flag);
    // After LoadStrip: the width of one frame.
    virtual void FitWidthToFrames();

    const char* GetName() const { return name_; }
    float X() const { return x_; }
    float Y() const { return y_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int FrameIndex() const { return frameIndex_; }
    int FrameCount() const { return frames_ != nullptr ? frames_->Count() : 0; }
    int IsAnimating() const { return animating_; }
    int SizeChanged() const { return sizeChanged_; }

    // Kept for a complete interface; unused by this game.
    virtual void DrawOnBackground();
    virtual void Move();
    virtual void SetFrameRect(int left, int top, int right, int bottom);
    virtual void SetVisible(int flag);
    virtual void SetFrameDelay(int ticks);
    virtual void SetColorKey(int red, int green, int blue);
    // The second timing scheme: one step of the frame step when due, wrapping if asked. 1 when a
    // step was due.
    virtual int StepFrame();
    // Stores the index unchecked; an index that names no frame draws nothing.
    virtual void SetFrameIndex(int index);
    virtual void LoadGrid(const char* file, int frameWidth, int frameHeight);
    // `end` is exclusive.
    virtual void SetAnimRange(int first, int end);
    virtual void SetName(const char* text);
    virtual void SetAnimating(int flag);
    virtual void SetLoopMode(int mode);
    // One timed step of the animation within its range; see LoopMode.
    virtual void Animate();
    virtual void SetCentered(int flag);
    // Takes the surface over (it is released with the sprite), keyed to pure blue. Returns 1.
    int AddFrame(LPDIRECTDRAWSURFACE7 surface);
    // A file that cannot be loaded shows a message box naming it. Returns 1.
    int AddFrameFile(const char* file);
    // The sprite then releases none of its frames: they belong to somebody else.
    int AddBorrowedFrame(LPDIRECTDRAWSURFACE7 surface);
    void ResetFrame() { frameIndex_ = 0; }
    void SetVelocity(float dx, float dy) {
        dx_ = dx;
        dy_ = dy;
    }
    void SetFrameStep(int step) { frameStep_ = step; }
    void SetWrap(int flag) { wrap_ = flag; }
    void SetRestoreBackground(int flag) { restoreBackground_ = flag; }
    void SetAnimationEnabled(int flag) { animationEnabled_ = flag; }

private:
    void SetWholeRange();
    void Stop(int index);

    char name_[64];
    float x_ = 0;
    float y_ = 0;
    float dx_ = 0;
    float dy_ = 0;
    int width_ = 0;
    int height_ = 0;
    int loopMode_ = kStopAtEnd;
    int animating_ = 0;
    ObjectList<IDirectDrawSurface>* frames_;
    int frameIndex_ = 0;
    int sizeChanged_ = 0;
    int centered_ = 0;
    int frameLeft_ = 0;
    int frameTop_ = 0;
    int frameRight_ = 0;
    int frameBottom_ = 0;
    int frameDelay_ = 0;
    int frameStep_ = 1;
    int frameTime_ = 0;
    int sharedFrames_ = 0;
    int firstFrame_ = -1;
    int endFrame_ = -1;
    int restoreBackground_ = 0;
    int markDirty_ = 1;
    int wrap_ = 0;
    int animationEnabled_ = 1;
    int visible_ = 1;
};
