// Windows, the message queue and the input state as a program sees them through its messages.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"

namespace {

constexpr UINT kTestMessage = 0x0400;
std::vector<UINT> g_received;

LRESULT Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_received.push_back(message);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class WindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::Reset();
        g_received.clear();
        WNDCLASSA wc{};
        wc.lpfnWndProc = Record;
        wc.lpszClassName = "Test Class";
        ASSERT_NE(RegisterClassA(&wc), 0);
    }

    HWND Create(DWORD style = WS_VISIBLE) {
        return CreateWindowExA(0, "test class", "Test", style, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    }

    // Takes and dispatches every queued message, as a message pump would.
    std::vector<MSG> Pump() {
        std::vector<MSG> taken;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            taken.push_back(msg);
            DispatchMessageA(&msg);
        }
        return taken;
    }
};

TEST_F(WindowsTest, CreatingAVisibleWindowActivatesIt) {
    HWND hwnd = Create();
    ASSERT_NE(hwnd, nullptr);
    ASSERT_GE(g_received.size(), 3u);
    EXPECT_EQ(g_received[0], WM_CREATE);
    EXPECT_EQ(g_received[1], WM_ACTIVATEAPP);
    EXPECT_EQ(g_received[2], WM_ACTIVATE);
}

TEST_F(WindowsTest, UnknownClassGivesNoWindow) {
    EXPECT_EQ(CreateWindowExA(0, "No Such Class", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowsTest, DestroyWindowSendsDestroyAtOnceAndDropsLaterMessages) {
    HWND hwnd = Create();
    PostMessageA(hwnd, kTestMessage, 0, 0);
    g_received.clear();
    EXPECT_TRUE(DestroyWindow(hwnd));
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0], WM_DESTROY);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(PostMessageA(hwnd, kTestMessage, 0, 0));
    Pump();  // the message posted before the window went is taken but reaches nobody
    EXPECT_EQ(g_received.size(), 1u);
}

TEST_F(WindowsTest, QuitComesAfterEveryPostedMessageWithItsCode) {
    HWND hwnd = Create();
    PostQuitMessage(3);
    PostMessageA(hwnd, kTestMessage, 1, 0);
    PostMessageA(hwnd, kTestMessage, 2, 0);
    const std::vector<MSG> taken = Pump();
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0].wParam, 1u);
    EXPECT_EQ(taken[1].wParam, 2u);
    EXPECT_EQ(taken[2].message, WM_QUIT);
    EXPECT_EQ(taken[2].wParam, 3u);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowsTest, CloseBoxDestroysThroughTheDefaultProcedure) {
    HWND hwnd = Create();
    platform::headless::CloseBox();
    Pump();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowsTest, PressAndReleaseWithinOnePumpStillReadsDownOnce) {
    Create();
    QZInitMouse();
    QZAcquireMouse(1);
    platform::headless::MouseMove(40, 50);
    platform::headless::MouseButton(1, true);
    platform::headless::MouseButton(1, false);
    int x = 0, y = 0, buttons = 0;
    QZGetMouseData(&x, &y, &buttons);
    EXPECT_EQ(buttons, 1);
    QZGetMouseData(&x, &y, &buttons);
    EXPECT_EQ(buttons, 0);
    const std::vector<MSG> taken = Pump();
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0].message, WM_MOUSEMOVE);
    EXPECT_EQ(LOWORD(taken[0].lParam), 40);
    EXPECT_EQ(HIWORD(taken[0].lParam), 50);
    EXPECT_EQ(taken[1].message, WM_LBUTTONDOWN);
    EXPECT_EQ(taken[2].message, WM_LBUTTONUP);
    QZFreeDirectInput();
}

TEST_F(WindowsTest, ReleasedMouseReportsNoButtons) {
    QZInitMouse();
    QZAcquireMouse(0);
    platform::headless::MouseButton(1, true);
    int buttons = -1;
    QZGetMouseData(nullptr, nullptr, &buttons);
    EXPECT_EQ(buttons, 0);
    QZAcquireMouse(1);
    QZGetMouseData(nullptr, nullptr, &buttons);
    EXPECT_EQ(buttons, 1);  // still held
    QZFreeDirectInput();
}

TEST_F(WindowsTest, KeysReachStateMessagesAndAsyncState) {
    Create();
    QZInitKeyboard();
    platform::headless::Key(VK_F1, true);
    EXPECT_EQ(QZGetKeys()[DIK_F1] & 0x80, 0x80);
    platform::headless::Key(VK_F1, false);
    EXPECT_EQ(QZGetKeys()[DIK_F1], 0);
    // Pressed and released before anyone asked: reads as pressed once.
    EXPECT_NE(GetAsyncKeyState(VK_F1) & 0x8000, 0);
    EXPECT_EQ(GetAsyncKeyState(VK_F1) & 0x8000, 0);
    const std::vector<MSG> taken = Pump();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].message, WM_KEYDOWN);
    EXPECT_EQ(taken[0].wParam, static_cast<WPARAM>(VK_F1));
    EXPECT_EQ((taken[0].lParam >> 16) & 0xFF, DIK_F1);
    EXPECT_EQ(taken[1].message, WM_KEYUP);
    QZFreeDirectInput();
    EXPECT_EQ(QZGetKeys(), nullptr);
}

}  // namespace
