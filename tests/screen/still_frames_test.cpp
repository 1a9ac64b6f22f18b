// Which frames a screen leaves out: only calm ones after three calm frames done in a row, the last
// of them flipped with nothing changed; a message, a moved pointer or something due starts over.
#include <gtest/gtest.h>

#include <string>

#include "platform/api/user.h"
#include "screen/screen_fixture.h"
#include "screen/still_frames.h"
#include "services/message_pump.h"
#include "services/pointer.h"

namespace {

using namespace screen_test;

class StillFramesTest : public ScreenFixture {
protected:
    // One frame: 'c' calm, flipped with nothing changed when done; 'C' calm, flipped with a change;
    // 'm' a message came; 'p' the pointer moved; 'd' something is due. '.' when done, 'L' when left out.
    char Frame(char what) {
        if (what == 'm') PostMessageA(Window(), WM_NULL, 0, 0);
        if (what == 'p') g_Pointer.SetPosition(++x_, 300);
        PumpMessages();
        if (still_.LeaveOut(what != 'd')) return 'L';
        int x = 0, y = 0, buttons = 0;
        g_Pointer.GetState(&x, &y, &buttons, nullptr, nullptr);
        still_.Flipped(what != 'C');
        return '.';
    }
    std::string Run(const std::string& frames) {
        std::string done;
        for (char what : frames) done += Frame(what);
        return done;
    }

    StillFrames still_;
    int x_ = 100;
};

TEST_F(StillFramesTest, LeavesOutOnlyCalmFramesAfterThreeCalmOnesAndAnUnchangedFlip) {
    const struct {
        const char* frames;
        const char* expected;
    } kCases[] = {
        {"mcccccc", "....LLL"},     {"mccCccc", ".....LL"},       {"mcccmcccc", "........L"},
        {"mcccpcccc", "........L"}, {"mccccdcccc", "....L....L"}, {"mcccccmccc", "....LL...."},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.frames);
        still_.Reset();
        EXPECT_EQ(Run(c.frames), c.expected);
    }
}

}  // namespace
