// The game's one line of news along the bottom of the picture for a few seconds, in the display's
// own font: what the player should see (a score that could not be saved, a screenshot taken)
// without being stopped for it.
#pragma once

#include <string>

class NoticeLine {
public:
    // Shows the text from the next frame on, replacing any shown.
    void Show(const std::string& text);
    // Once a frame, before the picture is presented: draws the line on the back surface while it
    // lasts. The area is wiped after every presented frame, so the line goes when drawing stops.
    void Draw();
    bool Showing() const { return showing_; }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
    int shownAt_ = 0;
    bool showing_ = false;
};

extern NoticeLine g_NoticeLine;
