#include "screen/screen.h"

#include <cstdio>
#include <cstring>

#include "platform/api/qz.h"
#include "screen/button.h"
#include "screen/button_group.h"
#include "canvas/compositor.h"
#include "canvas/screen_image.h"
#include "services/pointer.h"

Screen::Screen() : buttonGroup_(new ButtonGroup), images_(new ObjectList<ScreenImage>(1)) { name_[0] = '\0'; }

Screen::~Screen() { Screen::Leave(); }

void Screen::CreateLists() {
    if (images_ == nullptr) images_ = new ObjectList<ScreenImage>(1);
    if (buttonGroup_ == nullptr) buttonGroup_ = new ButtonGroup;
}

void Screen::Enter(LPDIRECTDRAW7 directDraw, LPDIRECTDRAWSURFACE7 target) {
    directDraw_ = directDraw;
    target_ = target;
    CreateLists();
}

void Screen::Leave() {
    delete buttonGroup_;
    buttonGroup_ = nullptr;
    FreeImages();
}

int Screen::HandleMessage(HWND, UINT, WPARAM, LPARAM) { return 1; }

int Screen::Frame(int) { return 1; }

void Screen::SetName(const char* text) { std::snprintf(name_, sizeof name_, "%s", text != nullptr ? text : ""); }

const char* Screen::GetName() { return name_; }

ScreenImage* Screen::LoadScreenImage(const char* file) {
    auto* image = new ScreenImage(file);
    if (image->surface == nullptr) {
        delete image;
        return nullptr;
    }
    if (images_ == nullptr) images_ = new ObjectList<ScreenImage>(1);
    return images_->Push(image);
}

void Screen::FreeImages() {
    if (images_ == nullptr) return;
    images_->DeleteAll();
    delete images_;
    images_ = nullptr;
}

void Screen::RemoveImage(ScreenImage* image) {
    if (images_ != nullptr) images_->Remove(image);
}

void Screen::SetCompositorBackground(LPDIRECTDRAWSURFACE7 surface) { g_Compositor.SetBackground(surface); }

void Screen::SetCompositorBackdrop(LPDIRECTDRAWSURFACE7 surface) { g_Compositor.SetBackdrop(surface); }

ScreenImage* Screen::FindImage(const char* name) {
    if (images_ == nullptr || name == nullptr) return nullptr;
    for (int i = 0; i < images_->Count(); ++i) {
        if (std::strcmp(images_->At(i)->name, name) == 0) return images_->At(i);
    }
    return nullptr;
}

int Screen::DrawImageAt(LPDIRECTDRAWSURFACE7 target, const char* name, int x, int y) {
    ScreenImage* image = FindImage(name);
    if (image == nullptr) return 0;
    image->Draw(target, x, y);
    return 1;
}

int Screen::DrawImage(LPDIRECTDRAWSURFACE7 target, const char* name) {
    ScreenImage* image = FindImage(name);
    if (image == nullptr) return 0;
    image->Draw(target, image->x, image->y);
    return 1;
}

int Screen::Present() {
    if (parent_ != nullptr) return parent_->Present();
    LPDIRECTDRAWSURFACE7 back = g_Compositor.GetBackSurface();
    g_Pointer.Draw(back);
    const int flipped = QZFlip();
    g_Pointer.Erase(back);
    g_Compositor.SwitchPage();
    g_Compositor.Update(back);
    return flipped;
}

void Screen::SetParentScreen(Screen* screen) { parent_ = screen; }

void Screen::AddButton(Button* button) {
    if (button == nullptr) return;
    if (buttonGroup_ == nullptr) buttonGroup_ = new ButtonGroup;
    button->SetOrigin(buttonGroup_->OriginX(), buttonGroup_->OriginY());
    buttonGroup_->Add(button);
}

int Screen::ImageCount() const { return images_ != nullptr ? images_->Count() : 0; }
