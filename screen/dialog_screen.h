// A modal pop-up screen: shows one of its pictures at a fixed place, routes the pointer to its own
// buttons and runs its own frame loop until it is answered with the name of the button clicked,
// "key" for its hot key, or an empty text when its time runs out. The screen that opens it is not
// left; the opener creates it, runs it and deletes it.
#pragma once

#include "platform/api/types.h"
#include "screen/screen.h"

class DialogScreen : public Screen {
public:
    DialogScreen();
    ~DialogScreen() override;

    void CreateLists() override;
    void Leave() override;

    // (-1, -1) centres the first picture on the display; later pictures keep that place. The
    // buttons are placed from the picture's top-left corner.
    virtual void SetPlacement(int x, int y);
    virtual void SetResult(const char* text);
    // `answer` receives the answer (up to 255 characters); 1 when answered, 0 when the program is
    // to quit. Without a picture of that name, the first picture is shown.
    virtual int Run(char* answer, const char* pictureName);
    // Called once a pass, after the buttons took the pointer; 0 ends Run with 0.
    virtual int FrameHook(int x, int y, int buttons);
    virtual int CheckDone();
    virtual ScreenImage* SetPicture(ScreenImage* picture);
    virtual void SelectPicture(const char* name);
    virtual ScreenImage* FindPicture(const char* name);
    // A file that cannot be loaded still adds a picture, which draws nothing.
    virtual ScreenImage* AddPicture(const char* file, const char* name);
    // A button named "default" covering the whole picture.
    virtual void AddDefaultButton();

    const RECT& GetPlacement() const { return placement_; }
    int IsDone() const { return done_; }

    // Kept for a complete interface; unused by this game.
    virtual ScreenImage* GetPicture();
    // While running, the compositor composes on the dialog's picture.
    virtual void SetUseCompositor(int flag);
    // A tick-clock reading after which the dialog ends; 0 for none.
    virtual void SetTimeLimit(int time);
    // A virtual-key code that ends the dialog with "key"; 0 for none.
    virtual void SetHotKey(int virtualKey);
    // The parent screen's buttons take the pointer too, and a click on one answers the dialog.
    virtual void SetParentButtonsActive(int flag);

private:
    void RestoreBackground(LPDIRECTDRAWSURFACE7 saved) const;
    void RunParentButtons(int x, int y, int buttons);
    int PictureCount() const { return pictures_ != nullptr ? pictures_->Count() : 0; }

    ObjectList<ScreenImage>* pictures_ = nullptr;
    ScreenImage* currentPicture_ = nullptr;
    int done_ = 0;
    RECT placement_{-1, -1, -1, -1};
    int x_ = 0;
    int y_ = 0;
    int useCompositor_ = 1;
    int timeLimit_ = 0;
    int hotKey_ = 0;
    int parentButtonsActive_ = 0;
};
