// One line of typed text with a caret: printable characters go in at the caret, Backspace takes
// out the one before it, Left and Right move it. The text never grows past its limit,
// the longest value the game reads back for the field.
#pragma once

#include <string>

class TextField {
public:
    void Start(const std::string& text, std::size_t limit);
    // False when the character was refused: not printable, ":" (which separates the fields of the
    // text the hall of fame stores), or the field is full.
    bool Type(unsigned char character);
    void Backspace();
    // Left and Right by their virtual keys; other keys change nothing.
    void MoveCaret(int virtualKey);

    const std::string& Text() const { return text_; }
    std::size_t Caret() const { return caret_; }
    // The text as the profile functions will read it back, so that the game shows what the
    // launcher showed: without the spaces round it, and without one pair of quotes round it all.
    std::string Accepted() const;

private:
    std::string text_;
    std::size_t caret_ = 0;
    std::size_t limit_ = 0;
};
