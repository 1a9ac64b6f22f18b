#include "screen/dialog_screen.h"

#include <cstring>

#include "platform/api/user.h"
#include "screen/button.h"
#include "screen/button_group.h"
#include "canvas/compositor.h"
#include "canvas/screen_image.h"
#include "base/app_globals.h"
#include "services/message_pump.h"
#include "services/pointer.h"
#include "services/tick_timer.h"
#include "surface/surface.h"

// The dialog is never entered, so its constructor makes the pictures list itself.
DialogScreen::DialogScreen() { DialogScreen::CreateLists(); }

DialogScreen::~DialogScreen() { DialogScreen::Leave(); }

void DialogScreen::CreateLists() {
    if (pictures_ == nullptr) pictures_ = new ObjectList<ScreenImage>(1);
}

void DialogScreen::Leave() {
    Screen::Leave();
    if (pictures_ != nullptr) {
        pictures_->DeleteAll();
        delete pictures_;
    }
    pictures_ = nullptr;
    currentPicture_ = nullptr;
}

void DialogScreen::SetPlacement(int x, int y) {
    LPDIRECTDRAWSURFACE7 surface = currentPicture_ != nullptr ? currentPicture_->surface : nullptr;
    if (x != -1 || y != -1) {
        int width = 0;
        int height = 0;
        GetSurfaceSize(surface, &width, &height);
        placement_ = RECT{x, y, x + width, y + height};
    } else if (placement_.left == -1 && placement_.top == -1) {
        CenterRect(surface, 0, 0, g_nWidth, g_nHeight, &placement_);
    }
    if (buttonGroup_ != nullptr) buttonGroup_->SetGroupOrigin(placement_.left, placement_.top);
    x_ = placement_.left;
    y_ = placement_.top;
}

void DialogScreen::SetResult(const char* text) {
    if (text != nullptr) SetName(text);
    done_ = 1;
}

void DialogScreen::RestoreBackground(LPDIRECTDRAWSURFACE7 saved) const {
    if (useCompositor_ != 0) g_Compositor.SetBackground(saved);
}

void DialogScreen::RunParentButtons(int x, int y, int buttons) {
    ButtonGroup* group = parent_ != nullptr ? parent_->GetButtonGroup() : nullptr;
    if (group == nullptr) return;
    group->UpdateAll(x, y, buttons);
    group->RedrawAll();
    if (Button* clicked = group->FirstClicked(); clicked != nullptr) SetResult(clicked->GetName());
}

int DialogScreen::Run(char* answer, const char* pictureName) {
    done_ = 0;
    if (pictureName != nullptr) {
        SelectPicture(pictureName);
    } else if (PictureCount() > 0) {
        currentPicture_ = pictures_->At(0);
    }
    const LPDIRECTDRAWSURFACE7 saved = g_Compositor.GetBackground();
    LPDIRECTDRAWSURFACE7 picture = currentPicture_ != nullptr ? currentPicture_->surface : nullptr;
    if (useCompositor_ != 0) g_Compositor.SetBackground(picture);
    name_[0] = '\0';
    while (done_ == 0) {
        int x = 0;
        int y = 0;
        int buttons = 0;
        g_Pointer.GetState(&x, &y, &buttons, nullptr, nullptr);
        // The quit is seen here before anything is drawn: the display may already be gone.
        if (PumpMessages() != 0) {
            RestoreBackground(saved);
            return 0;
        }
        if (currentPicture_ != nullptr) {
            currentPicture_->Draw(g_Compositor.GetBackSurface(), placement_.left, placement_.top);
        }
        if (buttonGroup_ != nullptr) {
            buttonGroup_->UpdateAll(x, y, buttons);
            buttonGroup_->RedrawAll();
        }
        if (FrameHook(x, y, buttons) == 0) {
            RestoreBackground(saved);
            return 0;
        }
        if (done_ == 0 && parentButtonsActive_ != 0) RunParentButtons(x, y, buttons);
        Present();
    }
    RestoreBackground(saved);
    if (answer != nullptr) std::strcpy(answer, name_);
    return done_;
}

int DialogScreen::FrameHook(int, int, int) { return CheckDone(); }

int DialogScreen::CheckDone() {
    Button* clicked = buttonGroup_ != nullptr ? buttonGroup_->FirstClicked() : nullptr;
    if (hotKey_ != 0 && (GetAsyncKeyState(hotKey_) & 0x8000) != 0) SetResult("key");
    // A click in the same pass wins over the hot key.
    if (clicked != nullptr) SetResult(clicked->GetName());
    if (timeLimit_ != 0 && timeLimit_ < GetTickClock()) done_ = 1;
    return 1;
}

ScreenImage* DialogScreen::SetPicture(ScreenImage* picture) {
    if (picture == nullptr) return picture;
    currentPicture_ = picture;
    SetPlacement(-1, -1);
    return picture;
}

void DialogScreen::SelectPicture(const char* name) {
    ScreenImage* found = FindPicture(name);
    if (found == nullptr && PictureCount() > 0) found = pictures_->At(0);
    currentPicture_ = found;
    SetPlacement(-1, -1);
}

ScreenImage* DialogScreen::GetPicture() { return currentPicture_; }

ScreenImage* DialogScreen::FindPicture(const char* name) {
    if (name == nullptr) return nullptr;
    for (int i = 0; i < PictureCount(); ++i) {
        if (std::strcmp(pictures_->At(i)->name, name) == 0) return pictures_->At(i);
    }
    return nullptr;
}

ScreenImage* DialogScreen::AddPicture(const char* file, const char* name) {
    CreateLists();
    auto* picture = new ScreenImage(file);
    picture->SetName(name);
    pictures_->Push(picture);
    return SetPicture(picture);
}

void DialogScreen::SetUseCompositor(int flag) { useCompositor_ = flag; }

void DialogScreen::AddDefaultButton() {
    const int width = currentPicture_ != nullptr ? currentPicture_->width : 0;
    const int height = currentPicture_ != nullptr ? currentPicture_->height : 0;
    auto* button = new Button(0, 0, width, height);
    button->SetName("default");
    AddButton(button);
}

void DialogScreen::SetTimeLimit(int time) { timeLimit_ = time; }

void DialogScreen::SetHotKey(int virtualKey) { hotKey_ = virtualKey; }

void DialogScreen::SetParentButtonsActive(int flag) { parentButtonsActive_ = flag; }
