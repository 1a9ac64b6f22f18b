#include "screen/screen_manager.h"

#include <cstring>

#include "screen/screen.h"

ScreenManager g_ScreenManager;

ScreenManager::ScreenManager() : screens_(new ObjectList<Screen>(1)) {}

ScreenManager::~ScreenManager() { delete screens_; }

void ScreenManager::Init(LPDIRECTDRAW7 directDraw, LPDIRECTDRAWSURFACE7 backSurface) {
    directDraw_ = directDraw;
    backSurface_ = backSurface;
}

// A program that runs again in the same process (the browser's page) adds its screen again.
void ScreenManager::AddScreen(Screen* screen) {
    for (int i = 0; i < screens_->Count(); ++i)
        if (screens_->At(i) == screen) return;
    screens_->Push(screen);
}

Screen* ScreenManager::SelectScreen(const char* name) {
    for (int i = 0; i < screens_->Count(); ++i) {
        Screen* screen = screens_->At(i);
        if (std::strcmp(screen->GetName(), name) != 0 || screen == current_) continue;
        if (current_ != nullptr) current_->Leave();
        current_ = screen;
        current_->Enter(directDraw_, backSurface_);
        break;
    }
    return current_;
}

int ScreenManager::Frame(int active) { return current_ != nullptr ? current_->Frame(active) : 0; }

int ScreenManager::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return current_ != nullptr ? current_->HandleMessage(hwnd, message, wParam, lParam) : 1;
}

void ScreenManager::LeaveAll() {
    for (int i = 0; i < screens_->Count(); ++i) screens_->At(i)->Leave();
    // Left, a screen is entered again before it is current: the next selection leaves none twice.
    current_ = nullptr;
}
