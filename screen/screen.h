// A screen: one full-display page of the program, run once per frame by the screen manager. It
// owns the images it has loaded and its group of buttons, and frees both when it is left, so a
// screen rebuilds them on each entry. Every operation is virtual and always called through the
// table, so a derived screen replaces behaviour operation by operation.
#pragma once

#include "platform/api/ddraw.h"
#include "platform/api/types.h"
#include "base/object_list.h"

class Button;
class ButtonGroup;
class ScreenImage;

// What a frame tells the loop that runs it. The game's frame says "go on" when it has done its
// work; a screen's frame otherwise answers with its flip's result.
inline constexpr int kFrameGoOn = 5;
inline constexpr int kFrameStop = 7;

class Screen {
public:
    Screen();
    virtual ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Creates the images list and the button group where they are missing.
    virtual void CreateLists();
    virtual void Enter(LPDIRECTDRAW7 directDraw, LPDIRECTDRAWSURFACE7 target);
    // Deletes the buttons and the images; safe to call twice.
    virtual void Leave();
    virtual int HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // kFrameStop asks the program to end.
    virtual int Frame(int active);
    virtual void SetName(const char* text);
    virtual const char* GetName();
    // The loaded image, appended to the images list and named by the file name; null (and
    // nothing added) when the bitmap cannot be loaded.
    virtual ScreenImage* LoadScreenImage(const char* file);
    virtual void FreeImages();
    virtual void SetCompositorBackground(LPDIRECTDRAWSURFACE7 surface);
    virtual void SetCompositorBackdrop(LPDIRECTDRAWSURFACE7 surface);
    // The first image of that name, case-sensitive.
    virtual ScreenImage* FindImage(const char* name);
    virtual int DrawImageAt(LPDIRECTDRAWSURFACE7 target, const char* name, int x, int y);
    // Draws the pointer, flips, takes the pointer off again and lets the compositor bring the new
    // back surface up to date; through the parent screen, when one is set. The flip's result.
    virtual int Present();
    // Places the button at the group's origin and adds it to the group, which then owns it.
    virtual void AddButton(Button* button);

    ButtonGroup* GetButtonGroup() const { return buttonGroup_; }
    int ImageCount() const;

    // Kept for a complete interface; unused by this game.
    // Unlinks the image without deleting it: its owner is then whoever removed it.
    virtual void RemoveImage(ScreenImage* image);
    // Reads a screen description file (section "images", keys "image01", "image02", ...); every
    // listed image is added, loaded or not. Always 0.
    virtual int LoadDescription(const char* file);
    // At the image's own place.
    virtual int DrawImage(LPDIRECTDRAWSURFACE7 target, const char* name);
    virtual void SetParentScreen(Screen* screen);

protected:
    char name_[256];
    LPDIRECTDRAW7 directDraw_ = nullptr;
    LPDIRECTDRAWSURFACE7 target_ = nullptr;
    ButtonGroup* buttonGroup_ = nullptr;
    ObjectList<ScreenImage>* images_ = nullptr;
    // Kept for derived screens (the maze screen's two copies of its background); the base class
    // never touches them.
    ScreenImage* backgroundImage_ = nullptr;
    ScreenImage* backdropImage_ = nullptr;
    Screen* parent_ = nullptr;
};
