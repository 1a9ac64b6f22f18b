// Knows every screen and runs the current one.
#pragma once

#include "platform/api/ddraw.h"
#include "platform/api/types.h"
#include "base/object_list.h"

class Screen;

class ScreenManager {
public:
    ScreenManager();
    ~ScreenManager();

    void Init(LPDIRECTDRAW7 directDraw, LPDIRECTDRAWSURFACE7 backSurface);
    // Once: a screen added again stays where it was.
    void AddScreen(Screen* screen);
    // Leaves the current screen and enters the first other screen of that name.
    Screen* SelectScreen(const char* name);
    int Frame(int active);
    int HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Leaves every screen; none is current afterwards.
    void LeaveAll();
    Screen* Current() const { return current_; }

private:
    ObjectList<Screen>* screens_;
    Screen* current_ = nullptr;
    LPDIRECTDRAW7 directDraw_ = nullptr;
    LPDIRECTDRAWSURFACE7 backSurface_ = nullptr;
};

extern ScreenManager g_ScreenManager;
