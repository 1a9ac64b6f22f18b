#include "game/help_page.h"

#include "game/key_buttons.h"
#include "platform/api/user.h"

HelpPage::HelpPage() {
    // The key that opened the page went down before it: forget the presses seen so far.
    ClosingKeyPressed();
}

bool HelpPage::ClosingKeyPressed() {
    bool pressed = false;
    for (int key = 1; key < 256; ++key) {
        if (KeyButtons::ButtonFor(key, false) == nullptr && key != VK_RETURN && key != VK_SPACE) continue;
        // Bit 0: pressed since the previous call, so a key still held from before does not count.
        if ((GetAsyncKeyState(key) & 1) != 0) pressed = true;
    }
    return pressed;
}

int HelpPage::FrameHook(int x, int y, int buttons) {
    if (ClosingKeyPressed()) SetResult("key");
    return DialogScreen::FrameHook(x, y, buttons);
}
