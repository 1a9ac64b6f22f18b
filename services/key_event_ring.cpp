#include "services/key_event_ring.h"

#include "platform/api/qz.h"

KeyEventRing g_KeyEventRing;

void KeyEventRing::Feed(const unsigned char* keys) {
    if (keys == nullptr) return;
    const int shift = (keys[DIK_LSHIFT] != 0 || down[DIK_RSHIFT] != 0) ? 1 : 0;
    for (int i = 0; i < 256; ++i) {
        if (keys[i] & 0x80) {
            if (down[i] == 0) Push(i | shift << 8);
            down[i] = 1;
        } else {
            down[i] = 0;
        }
    }
}

void KeyEventRing::Push(int event) {
    events[writeIndex] = event;
    writeIndex = (writeIndex + 1) & 0xFF;
}
