// A replay script: one command a line; blank lines are ignored, and a word starting with # begins
// a comment that runs to the end of its line.
#pragma once

#include <string>
#include <vector>

namespace replay {

enum class Op {
    Frames,    // a = number of frames
    Move,      // a, b = position
    Button,    // a = button (1 left, 2 right), b = 1 down / 0 up
    Key,       // a = virtual key, b = 1 down / 0 up
    Activate,  // a = 1 activate / 0 deactivate
    Type,      // a = one character of typed text
    Shot,      // text = picture name
    Caption,   // logs the main window's caption
    Close,
};

struct Command {
    Op op;
    int a = 0;
    int b = 0;
    std::string text;
    int line = 0;
};

// Parses the script, expanding click, key and type into their steps. On a bad line, returns false and
// says which line and why in `error`.
bool ParseScript(const std::string& text, std::vector<Command>* commands, std::string* error);

// The virtual-key code for a key name the scripts use (Escape, F1, F12, Return, Space, Backspace,
// Left, Right, Up, Down, A..Z, 0..9), or 0.
int VirtualKeyForName(const std::string& name);
// The virtual-key code of a game pad's button or direction (A, B, X, Y, Start, Back, Left, Right,
// Up, Down for the d-pad, StickLeft, StickRight, StickUp, StickDown for the left stick), or 0.
int PadKeyForName(const std::string& name);

}  // namespace replay
