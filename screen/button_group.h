// A screen's buttons with the origin they are placed from. The group owns its buttons: removing one
// by name or destroying the group deletes them.
#pragma once

#include "base/object_list.h"

class Button;

class ButtonGroup {
public:
    ButtonGroup();
    ~ButtonGroup();
    ButtonGroup(const ButtonGroup&) = delete;
    ButtonGroup& operator=(const ButtonGroup&) = delete;

    void Add(Button* button);
    // Routes the pointer to every button, in list order.
    void UpdateAll(int x, int y, int buttons);
    void RedrawAll();
    Button* FirstClicked();
    // Only the first clicked button is asked: 1 when it bears this name (case-sensitive).
    int ClickedByName(const char* name);
    Button* FindByName(const char* name);
    void SetGroupOrigin(int x, int y);

    int OriginX() const { return originX_; }
    int OriginY() const { return originY_; }
    int Count() const { return buttons_->Count(); }
    Button* At(int index) const { return buttons_->At(index); }

    // Kept for a complete interface; unused by this game.
    void RemoveByName(const char* name);
    void DeleteAll();

private:
    ObjectList<Button>* buttons_;
    int originX_ = 0;
    int originY_ = 0;
};
