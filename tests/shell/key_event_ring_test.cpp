#include <gtest/gtest.h>

#include "platform/api/qz.h"
#include "services/key_event_ring.h"

namespace {

TEST(KeyEventRing, HeldKeyGivesOneEventAndReleaseGivesNone) {
    KeyEventRing ring;
    unsigned char keys[256] = {};
    keys[DIK_A] = 0x80;
    for (int i = 0; i < 50; ++i) ring.Feed(keys);
    keys[DIK_A] = 0;
    ring.Feed(keys);
    EXPECT_EQ(ring.writeIndex, 1);
    EXPECT_EQ(ring.events[0], DIK_A);
    keys[DIK_A] = 0x80;
    ring.Feed(keys);
    EXPECT_EQ(ring.writeIndex, 2);
}

TEST(KeyEventRing, ShiftFlagComesFromLeftShiftStateOrRememberedRightShift) {
    KeyEventRing ring;
    unsigned char keys[256] = {};
    keys[DIK_LSHIFT] = 0x01;  // any non-zero byte counts for left shift, not only bit 7
    keys[DIK_Q] = 0x80;
    ring.Feed(keys);
    EXPECT_EQ(ring.events[0], DIK_Q | KeyEventRing::kShiftFlag);

    KeyEventRing right;
    unsigned char state[256] = {};
    state[DIK_RSHIFT] = 0x80;
    state[DIK_Z] = 0x80;
    // Right shift counts only once it is remembered as down, from an earlier feed.
    right.Feed(state);
    EXPECT_EQ(right.events[0], DIK_Z);
    EXPECT_EQ(right.events[1], DIK_RSHIFT);
    state[DIK_Z] = 0;
    right.Feed(state);
    state[DIK_Z] = 0x80;
    right.Feed(state);
    EXPECT_EQ(right.events[2], DIK_Z | KeyEventRing::kShiftFlag);
}

TEST(KeyEventRing, RingWrapsOverItsOldestEventsAndIgnoresNull) {
    KeyEventRing ring;
    ring.Feed(nullptr);
    EXPECT_EQ(ring.writeIndex, 0);
    for (int i = 0; i < 260; ++i) ring.Push(i);
    EXPECT_EQ(ring.writeIndex, 4);
    EXPECT_EQ(ring.events[0], 256);
    EXPECT_EQ(ring.events[3], 259);
    EXPECT_EQ(ring.events[4], 4);
}

}  // namespace
