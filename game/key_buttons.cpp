#include "game/key_buttons.h"

#include "platform/api/user.h"
#include "screen/button.h"
#include "screen/button_group.h"

KeyButtons g_KeyButtons;

namespace {

// Presses typed faster than a click takes wait their turn; beyond this many they are dropped, so a
// key held on a stalled game cannot pile up moves.
constexpr size_t kMostWaiting = 8;

constexpr struct {
    int key;
    const char* button;
    bool repeats;
} kKeys[] = {
    {VK_LEFT, "left", true},
    {VK_RIGHT, "right", true},
    {VK_UP, "up", true},
    {VK_DOWN, "down", true},
    {VK_BACK, "back", true},
    {'N', "newgame", false},
    {'H', "help", false},
    {VK_GAMEPAD_DPAD_LEFT, "left", false},
    {VK_GAMEPAD_DPAD_RIGHT, "right", false},
    {VK_GAMEPAD_DPAD_UP, "up", false},
    {VK_GAMEPAD_DPAD_DOWN, "down", false},
    {VK_GAMEPAD_LEFT_THUMBSTICK_LEFT, "left", false},
    {VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT, "right", false},
    {VK_GAMEPAD_LEFT_THUMBSTICK_UP, "up", false},
    {VK_GAMEPAD_LEFT_THUMBSTICK_DOWN, "down", false},
    {VK_GAMEPAD_A, "newgame", false},
    {VK_GAMEPAD_B, "back", false},
    {VK_GAMEPAD_Y, "help", false},
    {VK_GAMEPAD_MENU, "help", false},
};

}  // namespace

const char* KeyButtons::ButtonFor(int virtualKey, bool repeat) {
    for (const auto& k : kKeys)
        if (k.key == virtualKey && (k.repeats || !repeat)) return k.button;
    return nullptr;
}

bool KeyButtons::OnKeyDown(int virtualKey, bool repeat) {
    const char* button = ButtonFor(virtualKey, repeat);
    if (button == nullptr) return false;
    // First presses are read from the key state in the frame (below); only repeats come this way.
    if (repeat) Wait(button);
    return true;
}

void KeyButtons::Wait(const char* button) {
    if (waiting_.size() < kMostWaiting) waiting_.emplace_back(button);
}

// The key state is read in the frame, as the pointer's buttons are, so that a key pressed with the
// pointer's press acts in the same frame; the message would come a frame later.
void KeyButtons::TakePresses() {
    for (const auto& k : kKeys)
        if ((GetAsyncKeyState(k.key) & 1) != 0) Wait(k.button);
}

void KeyButtons::Apply(ButtonGroup* group) {
    if (group == nullptr) return;
    TakePresses();
    if (!held_.empty()) {
        if (Button* button = group->FindByName(held_.c_str()); button != nullptr) button->ReleaseByKey();
    }
    const std::string released = held_;
    held_.clear();
    // A button clicked in this frame is pressed again in the next, as a second click would be.
    if (waiting_.empty() || waiting_.front() == released) return;
    held_ = waiting_.front();
    waiting_.pop_front();
    if (Button* button = group->FindByName(held_.c_str()); button != nullptr) button->PressByKey();
}

void KeyButtons::Clear() {
    for (const auto& k : kKeys) GetAsyncKeyState(k.key);
    waiting_.clear();
    held_.clear();
}
