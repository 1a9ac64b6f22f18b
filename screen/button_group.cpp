#include "screen/button_group.h"

#include <cstring>

#include "screen/button.h"

ButtonGroup::ButtonGroup() : buttons_(new ObjectList<Button>(1)) {}

ButtonGroup::~ButtonGroup() {
    buttons_->DeleteAll();
    delete buttons_;
}

void ButtonGroup::Add(Button* button) {
    if (button != nullptr) buttons_->Push(button);
}

void ButtonGroup::UpdateAll(int x, int y, int buttons) {
    for (int i = 0; i < buttons_->Count(); ++i) buttons_->At(i)->UpdatePointer(x, y, buttons);
}

void ButtonGroup::RedrawAll() {
    for (int i = 0; i < buttons_->Count(); ++i) buttons_->At(i)->Redraw();
}

Button* ButtonGroup::FirstClicked() {
    for (int i = 0; i < buttons_->Count(); ++i) {
        if (buttons_->At(i)->WasClicked() != 0) return buttons_->At(i);
    }
    return nullptr;
}

int ButtonGroup::ClickedByName(const char* name) {
    Button* clicked = FirstClicked();
    if (clicked == nullptr || name == nullptr || std::strcmp(clicked->GetName(), name) != 0) return 0;
    return clicked->WasClicked();
}

Button* ButtonGroup::FindByName(const char* name) {
    if (name == nullptr) return nullptr;
    for (int i = 0; i < buttons_->Count(); ++i) {
        if (std::strcmp(buttons_->At(i)->GetName(), name) == 0) return buttons_->At(i);
    }
    return nullptr;
}

void ButtonGroup::RemoveByName(const char* name) {
    Button* button = FindByName(name);
    if (button == nullptr) return;
    buttons_->Remove(button);
    delete button;
}

void ButtonGroup::SetGroupOrigin(int x, int y) {
    originX_ = x;
    originY_ = y;
    for (int i = 0; i < buttons_->Count(); ++i) buttons_->At(i)->SetOrigin(x, y);
}

void ButtonGroup::DeleteAll() { buttons_->DeleteAll(); }
