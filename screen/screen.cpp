#include "screen/screen.h"

#include <cstring>

#include "platform/qz/qz.h"

Screen::Screen() { name_[0] = '\0'; }

Screen::~Screen() = default;

void Screen::Enter(LPDIRECTDRAW7 directDraw, LPDIRECTDRAWSURFACE7 target) {
    directDraw_ = directDraw;
    target_ = target;
}

void Screen::Leave() {}

int Screen::HandleMessage(HWND, UINT, WPARAM, LPARAM) { return 1; }

int Screen::Frame(int) { return 1; }

void Screen::SetName(const char* text) {
    std::strncpy(name_, text != nullptr ? text : "", sizeof name_ - 1);
    name_[sizeof name_ - 1] = '\0';
}

const char* Screen::GetName() { return name_; }

int Screen::Present() {
    if (parent_ != nullptr) return parent_->Present();
    return QZFlip();
}

void Screen::SetParentScreen(Screen* screen) { parent_ = screen; }
