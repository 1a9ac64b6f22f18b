// Keys and game-pad buttons as clicks on the maze screen's buttons, so that a key does exactly
// what a click there does: the button shows pressed for one frame and is clicked in the next, with
// the same effects and sounds. The platform delivers both as WM_KEYDOWN with their virtual keys.
#pragma once

#include <deque>
#include <string>

class ButtonGroup;

class KeyButtons {
public:
    // The name of the button a virtual key stands for, or null. `repeat`: the system's repeat of a
    // held key, which only the arrows and Back take as another click.
    static const char* ButtonFor(int virtualKey, bool repeat);

    // From the window procedure: true when the key belongs to a button. A first press is taken
    // from the key state by Apply; a repeat is taken here.
    bool OnKeyDown(int virtualKey, bool repeat);
    // In the game's frame, after the pointer updated the buttons: completes as a click the key
    // press of the frame before, then presses the next key asked for.
    void Apply(ButtonGroup* group);
    // Keys that came while another screen (the help page) had the player's attention.
    void Clear();
    // No key waits its turn or is held as a button.
    bool Idle() const { return waiting_.empty() && held_.empty(); }

private:
    void Wait(const char* button);
    void TakePresses();

    std::deque<std::string> waiting_;
    std::string held_;
};

extern KeyButtons g_KeyButtons;
