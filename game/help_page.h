// The how-to-play page: a click on it closes it, and so does a key or pad button that stands for
// one of the game's buttons (or Return or Space), so that a player without a pointer is not kept on
// it.
#pragma once

#include "screen/dialog_screen.h"

class HelpPage : public DialogScreen {
public:
    HelpPage();
    int FrameHook(int x, int y, int buttons) override;

private:
    // True when a closing key went down since the last look.
    static bool ClosingKeyPressed();
};
