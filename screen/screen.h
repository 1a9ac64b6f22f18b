// A screen: one full-display page of the program, run once per frame by the screen manager.
#pragma once

#include "platform/ddraw.h"
#include "platform/win32/types.h"

class Screen {
public:
    Screen();
    virtual ~Screen();

    virtual void Enter(LPDIRECTDRAW7 directDraw, LPDIRECTDRAWSURFACE7 target);
    virtual void Leave();
    virtual int HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // 7 asks the program to end.
    virtual int Frame(int active);
    virtual void SetName(const char* text);
    virtual const char* GetName();
    // Shows the frame: flips the display (through the parent screen, when one is set).
    virtual int Present();
    virtual void SetParentScreen(Screen* screen);

protected:
    char name_[256];
    LPDIRECTDRAW7 directDraw_ = nullptr;
    LPDIRECTDRAWSURFACE7 target_ = nullptr;
    Screen* parent_ = nullptr;
};
