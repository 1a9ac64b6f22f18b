// Key presses as events: the keyboard state is turned into one event per newly pressed key, kept
// in a ring of 256 that wraps over its oldest events. Nothing in the game takes events out.
#pragma once

class KeyEventRing {
public:
    // Bits 0-7: the key's scan code; bit 8: a shift key was down.
    static constexpr int kShiftFlag = 0x100;

    void Feed(const unsigned char* keys);
    void Push(int event);

    int events[256] = {};
    int readIndex = 0;
    int writeIndex = 0;
    unsigned char down[256] = {};
};

extern KeyEventRing g_KeyEventRing;
