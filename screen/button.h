// An on-screen button drawn from a short list of frames (normal, highlighted, pressed). Fed the
// pointer once per frame, it moves between its three states, redraws itself on every change and
// latches a click when the left button is released over it after pressing it there.
#pragma once

#include "platform/api/ddraw.h"
#include "platform/api/types.h"
#include "base/object_list.h"

// One frame of a button; its place in the button's list is its frame number.
struct ButtonFrame {
    int index;
    LPDIRECTDRAWSURFACE7 surface;
    // The button cut or loaded this surface itself and releases it; surfaces handed in stay the
    // caller's.
    bool owned;
};

class Button {
public:
    enum State { kNormal = 0, kHighlighted = 1, kPressed = 2 };

    Button(int x, int y);
    Button(int x, int y, int width, int height);
    Button();
    virtual ~Button();
    Button(const Button&) = delete;
    Button& operator=(const Button&) = delete;

    // Keys the surface to pure blue and appends it; the drawn and sensitive sizes become its size.
    // 0 for a null surface, which adds nothing.
    virtual int AddFrameSurface(int index, LPDIRECTDRAWSURFACE7 surface);
    // Cuts a picture holding `count` frames side by side (or stacked, when vertical) into frames;
    // a picture that does not cut into exactly `count` frames adds nothing.
    virtual void LoadStrip(const char* file, int count, int vertical);
    // The polled input path: buttons bit 0 is the left button held down.
    virtual int UpdatePointer(int x, int y, int buttons);
    // Null draws on the program's back surface.
    virtual void DrawTo(LPDIRECTDRAWSURFACE7 surface);
    virtual void SetHighlightOffset(int offset);
    virtual void DrawOn(LPDIRECTDRAWSURFACE7 target);
    virtual void Redraw();
    virtual int WasClicked();
    // A key standing for this button: pressed shows it pressed; released clicks it, as a press and
    // release of the pointer over it would, after the pointer's update of the frame.
    void PressByKey();
    void ReleaseByKey();
    virtual void SetName(const char* text);
    virtual void SetOrigin(int x, int y);

    const char* GetName() const { return name_; }
    // 1 left click, 2 right click (message path only), 0 none.
    int GetClickKind() const { return clickKind_; }
    int FrameCount() const { return frames_ != nullptr ? frames_->Count() : 0; }

    // Kept for a complete interface; unused by this game.
    virtual int AddFrameFile(int index, const char* file);
    // The window-message input path; the far edges of the sensitive area count as inside.
    virtual int HandleMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void ResetState();
    virtual void SetEnabled(int flag);
    // Draws the button into the compositor's backdrop and background, so it stays in the picture.
    virtual void DrawOnPictures(int flag);
    // Exchanges frames 0 and 1; a button with fewer frames is left as it is.
    virtual void SwapFirstFrames();
    virtual void SetFirstFrameOnly(int flag);
    virtual void SetState(int state);
    virtual int GetState();
    virtual void SetHitRect(int x, int y, int width, int height);
    virtual void SetMarkDirty(int flag);
    virtual void SetPixelHitTest(int flag);
    virtual int IsPointerInside();
    // -1 clears the override.
    virtual void SetFrameOverride(int index);
    virtual int GetFrameOverride();

private:
    // What frame 0 shows under the pointer, for the pixel hit test.
    enum class Pixel { kOpaque, kTransparent, kUnknown };

    bool Contains(int px, int py, bool farEdgesInside) const;
    Pixel PixelUnder(int px, int py) const;
    int ChosenFrame() const;
    // Sets the state and redraws on the back surface.
    void Become(int state);
    void BecomeNormal();

    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
    int hitX_ = 0;
    int hitY_ = 0;
    int hitWidth_ = 0;
    int hitHeight_ = 0;
    int originX_ = 0;
    int originY_ = 0;
    int state_ = kNormal;
    int highlightOffset_ = 0;
    ObjectList<ButtonFrame>* frames_ = nullptr;
    int clicked_ = 0;
    int clickKind_ = 0;
    char name_[64];
    int enabled_ = 1;
    int firstFrameOnly_ = 0;
    int markDirty_ = 0;
    int pixelHitTest_ = 0;
    int pointerInside_ = 0;
    int frameOverride_ = -1;
};
